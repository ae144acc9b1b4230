#include "HelpText.h"

#include "tagaccess/DllErrors.h"
#include "tagaccess/TagLibraryEntries.h"

namespace cli {
namespace {

constexpr char kOverview[] = R"(Usage: kivuna-cli COMMAND [OPTIONS] PATH...

Shows and edits the ID3v1 and ID3v2 tags of MP3 files.

Commands:
  show FILE...                      both tags of each file
  set FILE... FIELD OPTIONS         change the fields given, keep the others
  copy v1-to-v2|v2-to-v1 FILE...    copy one tag's texts into the other tag
  remove --v1|--v2|--both FILE...   take tags off the files
  picture export|import|remove ...  the pictures of the ID3v2 tag
  convert --to 2.3|2.4 FILE...      save the ID3v2 tags in that version
  sync PATH...                      merge both tags and write the result into both;
                                    folders are searched for MP3 files
  organize PATH...                  move or copy files to folders named by their tags
  rename PATH...                    rename files in their folders by their tags
  from-names PATH...                read tag fields from the files' names
  fix-encoding PATH...              repair texts that other programs garbled
  undo [COMMAND] [--list]           take back the last journaled run, of this tool or
                                    of the window; --list shows those that can be
  help [COMMAND]                    this text, or the help of one command

Every command takes --quiet (-q): no progress line and no closing summary;
failures are still one line each on standard error. show, set, copy, remove,
picture and convert take -r (--recursive): folders among the paths are searched for MP3
files as sync searches them.

Run "kivuna-cli COMMAND --help" (or "kivuna-cli --help COMMAND") for the options
of a command, "kivuna-cli --version" for the versions of the tool and its tag
library.

Exit status: 0 when every file went through, 1 when some failed (each failure is
one line on standard error) or standard output could not be written, 2 when the
command line was wrong. On a terminal, control characters in tag texts and names
show as \n, \t, \r or \xHH.
)";

constexpr char kShow[] = R"(Usage: kivuna-cli show [--json|--jsonl] FILE...

Shows the ID3v1 and ID3v2 tags of each file side by side: title, artist, album,
year, genre, track and comment. A tag the file does not hold shows empty texts.
The head of the ID3v2 column names the tag's version: ID3v2.4, or ID3v2 (none).

  --json    a JSON array with one object per file: "path", "v1" and "v2" (each
            with the seven fields), "v2version" (the ID3v2 tag's version: 2, 3
            or 4, null without one) and "errors" (the messages for that file)
  --jsonl   the same objects one per line, without the array, so the output
            of several runs (find ... | xargs kivuna-cli show --jsonl) is one
            stream
)";

constexpr char kSet[] = R"(Usage: kivuna-cli set [--v1|--v2|--both] [--dry-run] FIELD... FILE...

Changes only the fields given, in the tags chosen; every other field and frame
stays as it was. A file without the tag is given one. Each changed file's tags
go to the undo journal first, byte for byte: "kivuna-cli undo" or the organizer
window's "Undo last change" gives them back exactly.

Fields:
  --title TEXT   --artist TEXT   --album TEXT   --year TEXT
  --genre NAME   --track N[/TOTAL]  --comment TEXT
  An empty text clears the field. An ID3v1 tag keeps 30 characters per text,
  a genre from the ID3v1 genre list and a track of 0 to 255 (of N/TOTAL, N).

  --v1 | --v2 | --both   the tags to change (default: both; --v1 --v2 is both)
  --dry-run              print what would change, write nothing
)";

constexpr char kCopy[] = R"(Usage: kivuna-cli copy v1-to-v2|v2-to-v1 [--dry-run] FILE...

Copies the seven texts of one tag into the other tag of each file. A file that
does not hold the source tag is left alone and counts as failed.

  --dry-run   print what would change, write nothing
)";

constexpr char kRemove[] = R"(Usage: kivuna-cli remove --v1|--v2|--both [--dry-run] FILE...

Takes the tags named off each file; the audio stays as it is. The tags go to
the undo journal first, byte for byte: "kivuna-cli undo remove" gives them back.

  --v1 | --v2 | --both   the tags to remove (one must be named; --v1 --v2 is both)
  --dry-run              print what would change, write nothing
)";

constexpr char kPicture[] = R"(Usage: kivuna-cli picture export [--type N] FILE.mp3 PICTURE
       kivuna-cli picture import [--dry-run] PICTURE FILE.mp3...
       kivuna-cli picture remove [--type N] [--dry-run] FILE.mp3...

export writes the file's first picture of the type (default: 3, the front cover)
to PICTURE, which must not exist: nothing is ever overwritten. import makes the
JPEG or PNG picture (up to 16 MB; its bytes decide, not its name) the front
cover of each file, in place of the front covers it had. remove takes every
picture of the type off each file. import and remove keep every other frame and
go to the undo journal first: "kivuna-cli undo picture" gives the tags back
byte for byte.

  --type N    the picture type, 0 to 20 (3: front cover, 4: back cover,
              0: other, 8: artist ...)
  --dry-run   print what would change, write nothing
)";

constexpr char kConvert[] = R"(Usage: kivuna-cli convert --to 2.3|2.4 [--dry-run] FILE...

Saves each file's ID3v2 tag in version 2.3 or 2.4, every frame kept in the form
that version gives it: a 2.4 date becomes 2.3's year, day and time (TYER, TDAT,
TIME) and back. A tag holding frames the other version cannot hold (2.4's set
subtitle or release time in 2.3, 2.3's recording dates in 2.4 ...) is left as it
was and its file named with those frames: nothing is dropped. A file without an
ID3v2 tag is left alone. Each changed file's tags go to the undo journal first:
"kivuna-cli undo convert" gives them back byte for byte.

  --to 2.3|2.4   the version
  --dry-run      print what would change, with every check of a real run, write
                 nothing
)";

constexpr char kSync[] = R"(Usage: kivuna-cli sync [--prefer 1|2] [--dry-run] PATH...

Merges the two tags of each file field by field and writes the result into
both: where only one tag holds a text, that text is kept; where both do, the
preferred tag wins. A file that lacks a tag is given it. A folder is searched,
with every folder below it, for files named *.mp3 (in any letter case), as the
organizer window does, without a limit on their number.

  --prefer 1|2   the tag whose text wins where both hold one (default: 2)
  --dry-run      print what would change, write nothing

A file without text in either tag is left alone and counted, not failed: the
run ends with "N files without tag text, left alone". Where both tags hold the
same name read two ways (one garbled in another code page), both get the
readable one. A file whose tags agree already is not written. Each file's tags
go to the undo journal first: "kivuna-cli undo sync" gives them back byte for
byte.
)";

constexpr char kFixEncoding[] =
    R"(Usage: kivuna-cli fix-encoding [--v1|--v2|--both] [--dry-run] PATH...

Repairs tag texts that other programs garbled: Cyrillic written in Windows-1251,
KOI8-R, DOS 866 or UTF-8 and read as another code page ("Ãðóïïà êðîâè" for
"Группа крови", "BjÃ¶rk" for "Björk"), once or twice over, and ID3v1 fields
stored in KOI8-R, DOS 866 or UTF-8, which other programs cannot read. A text
that reads right is never touched ("Björk", "Sigur Rós", "Åse" stay). Folders
are searched for MP3 files as sync searches them.

Every field to change is printed first, one line each: the file, the tag and
field, the text as it reads now and as it will read, and how it was garbled.
Repaired ID3v2 texts are written into their frames, every other frame as it
was; repaired ID3v1 texts are stored in Windows-1251 where they are Cyrillic,
else in Latin-1. "kivuna-cli undo fix-encoding" gives the tags back byte for
byte. A second run over repaired files changes nothing.

  --v1 | --v2 | --both   the tags to repair (default: both)
  --dry-run              print the fields that would change, write nothing
)";

constexpr char kPatterns[] = R"(
Folders among the paths are searched for files named *.mp3; a file given by name
that is not named so is reported and left as it is.

Patterns name the fields %artist% %album% %title% %track% (%track:2% gives 07)
%year% %genre% %comment% and %filename% (the name without its extension); %%
is a percent sign. The file keeps its extension.
)";

constexpr char kOrganize[] = R"(Usage: kivuna-cli organize [--to FOLDER] [OPTIONS] PATH...

Moves (or copies) each file to the path the pattern gives it from its tag fields,
under the destination folder; "/" in the pattern makes a folder. Folders among
the paths are searched for MP3 files. A file whose new path exists, or is the new
path of another file too, is a conflict: it is skipped and reported. A field the
pattern names that is empty stands as "Unknown Artist", "Untitled"... (state
"incomplete"). Nothing is ever overwritten. Every move is written to the undo
journal first, the same the organizer window keeps: "kivuna-cli undo" or the
window's undo takes the run back.

  --to FOLDER       the destination (default: the folder, when one folder is given)
  --pattern P       default: %artist%/%album%/%track:2% - %title%
  --copy            copy the files, leave the originals where they are
  --v1 | --v2       the tag the fields are read from (default: --v2)
  --posix-names     allow characters that only FAT and Windows shares refuse
                    (default: names that phones, USB drives and shares take)
  --dry-run         print a line per file, old -> new (state), move nothing;
                    the state is will move, unchanged, conflict or incomplete
)";

constexpr char kRename[] = R"(Usage: kivuna-cli rename [OPTIONS] PATH...

Renames each file in its own folder to the name the pattern gives it from its
tag fields; the pattern cannot hold "/". Folders among the paths are searched for
MP3 files. Conflicts are skipped and reported; nothing is ever overwritten. Every
rename is written to the undo journal first, the same the organizer window keeps.

  --pattern P       default: %track:2% - %title%
  --v1 | --v2       the tag the fields are read from (default: --v2)
  --posix-names     allow characters that only FAT and Windows shares refuse
  --dry-run         print a line per file, old -> new (state), rename nothing
)";

constexpr char kFromNames[] = R"(Usage: kivuna-cli from-names [OPTIONS] PATH...

Reads tag fields from each file's name (and, for a pattern with "/", from its
folders) and writes them into its tags; fields the pattern does not name keep
their texts. A name that does not fit the pattern is reported and left alone.
Each file's tags go to the undo journal, byte for byte, before they are written.

  --pattern P       default: %artist% - %title%; %track% and %year% match digits
  --v1 | --v2 | --both   the tags to write (default: both)
  --dry-run         print what would change, write nothing
)";

constexpr char kUndo[] =
    R"(Usage: kivuna-cli undo [organize|rename|from-names|set|remove|picture|convert|
                        sync|fix-encoding] [--list]

Takes back the newest run that was not undone yet, made here or in the
organizer window: they keep one journal. Runs of organize and rename move the
files back (copies are removed, folders the run made go when empty); runs that
changed tags (set, from-names, remove, picture, convert, sync, fix-encoding, and
the window's Edit tags, Leave and Kill ID3 tags, Translit, Tags from file names,
Repair text encodings and the processing of the listed files) give each file
its tags back byte for byte, pictures and every frame included; a file whose tags
were changed since gets only its seven fields back, and is named. A run that
was cut off (the program died) is taken back first. With a command name, the
newest run of that command is taken.

Only what the run did is taken back. A file that is not as the run left it (gone
or relocated, replaced, or a copy changed since) stays as it is and is named on
standard error, exit 1, and the run stays on offer for it. A journal that is not
the user's own, that others may write, or that names paths outside the folders
its run worked under is refused whole: nothing is changed.

  --list            print the runs that can be undone, in the order undo takes
                    them: the run, when it started, how many files, where it
                    was made (window or shell), tab-separated; undo nothing
)";

} // namespace

QString HelpText(const QString& command) {
    if (command == u"show")
        return QString::fromUtf8(kShow);
    if (command == u"set")
        return QString::fromUtf8(kSet);
    if (command == u"copy")
        return QString::fromUtf8(kCopy);
    if (command == u"sync")
        return QString::fromUtf8(kSync);
    if (command == u"remove")
        return QString::fromUtf8(kRemove);
    if (command == u"picture")
        return QString::fromUtf8(kPicture);
    if (command == u"convert")
        return QString::fromUtf8(kConvert);
    if (command == u"organize")
        return QString::fromUtf8(kOrganize) + QString::fromUtf8(kPatterns);
    if (command == u"rename")
        return QString::fromUtf8(kRename) + QString::fromUtf8(kPatterns);
    if (command == u"from-names")
        return QString::fromUtf8(kFromNames) + QString::fromUtf8(kPatterns);
    if (command == u"undo")
        return QString::fromUtf8(kUndo);
    if (command == u"fix-encoding")
        return QString::fromUtf8(kFixEncoding);
    return QString::fromUtf8(kOverview);
}

QString UsageHint() {
    return QStringLiteral("Run \"kivuna-cli --help\" for the commands and their options.");
}

QString VersionText() {
    QString library;
    try {
        const tagaccess::TDll loaded(tagaccess::kTagLibraryName);
        library = QString::fromLatin1(
            tagaccess::TDllEntry<const char*>(loaded, "ID3v2_GetLibraryVersion")());
    } catch (const tagaccess::EDllError& failure) {
        library = failure.Message();
    }
    return QStringLiteral("kivuna-cli %1\n%2 %3\n")
        .arg(QStringLiteral(KIVUNA_VERSION), QLatin1String(tagaccess::kTagLibraryName), library);
}

} // namespace cli
