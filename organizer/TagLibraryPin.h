#pragma once

#include "platform/Loader.h"

namespace organizer {

// Holds one reference to the tag library for the length of a processing run. Every tag operation
// still loads and unloads the library itself, but while this reference is held those are counts
// kept by the loader instead of mapping and unmapping the library each time: unmapping costs
// more than the tag work itself. The library's tables are released when the run lets go.
class TagLibraryPin {
  public:
    TagLibraryPin();
    ~TagLibraryPin();
    TagLibraryPin(const TagLibraryPin&) = delete;
    TagLibraryPin& operator=(const TagLibraryPin&) = delete;

    // Whether the library could be loaded at all.
    bool Loaded() const { return module_ != nullptr; }

  private:
    platform::HMODULE module_;
};

} // namespace organizer
