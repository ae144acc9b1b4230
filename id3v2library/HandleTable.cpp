#include "HandleTable.h"

namespace kivuna::tags {

HandleTable& HandleTable::Instance() {
    // Built at the first call rather than at load time, so loading the library does no work.
    static HandleTable table;
    return table;
}

} // namespace kivuna::tags
