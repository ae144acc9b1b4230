# The 26 entry points of ID3v2Library.dll, one per line of the linker's version script.
set(KIVUNA_TAG_LIBRARY_EXPORTS
  ID3v1_Create ID3v2_Create
  ID3v1_Load ID3v2_Load ID3v2_Loaded
  ID3v1_GetTitle ID3v1_GetArtist ID3v1_GetAlbum ID3v1_GetYear ID3v1_GetGenre ID3v1_GetComment
  ID3v1_GetTrack
  ID3v2_GetAsciiText ID3v2_GetCOMM
  ID3v1_SetTitle ID3v1_SetArtist ID3v1_SetAlbum ID3v1_SetYear ID3v1_SetComment
  ID3v1_SetGenre ID3v1_SetTrack
  ID3v2_SetAsciiText ID3v2_SetCOMM ID3v2_AddAlbumPicture
  ID3v1_Save ID3v2_Save)
