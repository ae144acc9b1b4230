#pragma once

#include <cstddef>
#include <vector>

namespace organizer {

// The sort direction of each column position: 1 ascending, anything else descending. The flag of
// position 0 belongs to the list and lasts for the window's life; the flag of position k >= 1
// belongs to the column at position k - 1, so it starts again at 0 when that column is created
// anew.
class SortFlags {
  public:
    int& Of(int position) {
        if (position == 0)
            return list_;
        if (size_t(position) > columns_.size())
            columns_.resize(size_t(position), 0);
        return columns_[size_t(position - 1)];
    }
    int Of(int position) const {
        if (position == 0)
            return list_;
        return size_t(position) <= columns_.size() ? columns_[size_t(position - 1)] : 0;
    }

    // The list's columns were all created anew.
    void NewColumns(int count) { columns_.assign(size_t(count), 0); }
    // Columns were added after the existing ones, or removed from the end.
    void KeepColumns(int count) { columns_.resize(size_t(count), 0); }

  private:
    int list_ = 0;
    std::vector<int> columns_ = {0, 0};
};

} // namespace organizer
