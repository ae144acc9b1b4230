#pragma once

// The dynamic-library loader: LoadLibraryA, GetProcAddress and FreeLibrary over dlopen, dlsym and
// dlclose.
namespace platform {

using HMODULE = void*;

// Loads a library. A bare name is looked up in the executable's own folder first, then in
// ../lib/kivuna from there (the installed layout), then by the system's search (LD_LIBRARY_PATH,
// the cache, the default folders); never in the current folder. Null when it cannot be loaded.
HMODULE LoadLibraryA(const char* fileName);

// Address of an exported symbol, or null.
void* GetProcAddress(HMODULE module, const char* procName);

// Drops one reference; the library leaves the process with the last one.
bool FreeLibrary(HMODULE module);

} // namespace platform
