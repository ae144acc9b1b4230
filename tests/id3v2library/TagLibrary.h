#pragma once

// ID3v2Library.dll loaded the way the programs load it (platform loader, bare name, the copy
// beside the test executable) with all its entry points resolved; unloaded with the object.
#include <string>

#include "id3v2library/ID3v2Library.h"
#include "platform/Loader.h"

namespace tagtest {

class TagLibrary {
  public:
    TagLibrary();
    ~TagLibrary();
    TagLibrary(const TagLibrary&) = delete;
    TagLibrary& operator=(const TagLibrary&) = delete;

    // True when the library loaded and every entry point resolved.
    bool Complete() const { return module_ != nullptr && missing_ == 0; }

#define KIVUNA_DECLARE_ENTRY(name) decltype(&::name) name{};
    KIVUNA_TAG_ENTRY_POINTS(KIVUNA_DECLARE_ENTRY)
#undef KIVUNA_DECLARE_ENTRY

  private:
    platform::HMODULE module_ = nullptr;
    int missing_ = 0;
};

// Full path of the library the loader picks for the bare name.
std::string LibraryPath();

} // namespace tagtest
