#include "TagLibraryPin.h"

#include "tagaccess/TagLibraryEntries.h"

namespace organizer {

TagLibraryPin::TagLibraryPin() : module_(platform::LoadLibraryA(tagaccess::kTagLibraryName)) {}

TagLibraryPin::~TagLibraryPin() {
    if (module_ != nullptr)
        platform::FreeLibrary(module_);
}

} // namespace organizer
