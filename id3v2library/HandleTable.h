#pragma once

// The library's table of tag states. Handles are positions in it plus one, so 0 is never a handle;
// entries live until the library is unloaded. Every entry point holds the table's lock for the
// whole call (TagLib's frame factory is shared by the process).
#include <cstdint>
#include <memory>
#include <mutex>
#include <variant>
#include <vector>

#include "Id3v1Handle.h"
#include "Id3v2Handle.h"

namespace kivuna::tags {

class HandleTable {
  public:
    // The table, made on first use and destroyed when the library is unloaded.
    static HandleTable& Instance();

    std::mutex& Lock() { return lock_; }
    // A new handle, or 0 when the numbers are used up or memory is.
    template <typename Handle> uint32_t Create();
    // The state of a handle of that kind; null for 0, unknown numbers and the other kind.
    template <typename Handle> Handle* Find(uint32_t handle);

  private:
    using Entry = std::variant<Id3v1Handle, Id3v2Handle>;

    std::mutex lock_;
    std::vector<std::unique_ptr<Entry>> entries_;
};

template <typename Handle> uint32_t HandleTable::Create() {
    if (entries_.size() >= UINT32_MAX)
        return 0;
    entries_.push_back(std::make_unique<Entry>(std::in_place_type<Handle>));
    return static_cast<uint32_t>(entries_.size());
}

template <typename Handle> Handle* HandleTable::Find(uint32_t handle) {
    if (handle == 0 || handle > entries_.size())
        return nullptr;
    return std::get_if<Handle>(entries_[handle - 1].get());
}

} // namespace kivuna::tags
