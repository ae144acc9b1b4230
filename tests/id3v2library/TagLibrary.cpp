#include "TagLibrary.h"

#include <climits>
#include <unistd.h>

#include "TestSupport.h"

namespace tagtest {

TagLibrary::TagLibrary() : module_(platform::LoadLibraryA(testsupport::kLibraryName)) {
#define KIVUNA_RESOLVE_ENTRY(name)                                                                 \
    name = reinterpret_cast<decltype(name)>(platform::GetProcAddress(module_, #name));             \
    missing_ += name == nullptr;
    KIVUNA_TAG_ENTRY_POINTS(KIVUNA_RESOLVE_ENTRY)
#undef KIVUNA_RESOLVE_ENTRY
}

TagLibrary::~TagLibrary() {
    platform::FreeLibrary(module_);
}

std::string LibraryPath() {
    char exe[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    const std::string path(exe, n > 0 ? static_cast<size_t>(n) : 0);
    return path.substr(0, path.rfind('/') + 1) + testsupport::kLibraryName;
}

} // namespace tagtest
