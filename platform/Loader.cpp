#include "Loader.h"

#include <dlfcn.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Folder of the running executable, with a trailing slash; empty when it cannot be told.
const std::string& ExecutableFolder() {
    static const std::string folder = [] {
        std::string path(4096, '\0');
        const ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
        if (n <= 0)
            return std::string();
        path.resize(static_cast<size_t>(n));
        return path.substr(0, path.rfind('/') + 1);
    }();
    return folder;
}

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

HMODULE LoadLibraryA(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0')
        return nullptr;
    const std::string name(fileName);
    // RTLD_LOCAL keeps the library's symbols to itself, so nothing else in the process can bind
    // to them and keep it from unloading. RTLD_DEEPBIND looks its own dependencies up first: a
    // window's process has a hundred libraries in the global scope, and every load binds each
    // of the library's imports again.
    constexpr int flags = RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND;
    if (name.find('/') == std::string::npos && !ExecutableFolder().empty()) {
        // An installed program keeps its private libraries in lib/kivuna beside its bin folder.
        // The load itself finds whether a candidate is there: a library loaded for every file
        // is looked for only when a load fails.
        for (const char* folder : {"", "../lib/kivuna/"}) {
            const std::string candidate = ExecutableFolder() + folder + name;
            if (void* module = dlopen(candidate.c_str(), flags))
                return module;
            if (IsFile(candidate))
                return nullptr;
        }
    }
    // The system's search never looks in the current folder (unless LD_LIBRARY_PATH says so).
    return dlopen(name.c_str(), flags);
}

void* GetProcAddress(HMODULE module, const char* procName) {
    if (module == nullptr || procName == nullptr)
        return nullptr;
    return dlsym(module, procName);
}

bool FreeLibrary(HMODULE module) {
    return module != nullptr && dlclose(module) == 0;
}

} // namespace platform
