#pragma once

#include <QString>
#include <array>
#include <vector>

// The organizer's result tables: sized once, with the window, for the most files one search keeps.
namespace tagjobs {

inline constexpr int MaxFoundFiles = 10000;

// One processed file: the path, then title, artist, album, year, genre and track; the last two
// texts stay empty.
inline constexpr int TagRowColumns = 9;
using TagRow = std::array<QString, TagRowColumns>;

// A file met by the folder walk: its name as the directory gives it and its folder's path, which
// ends in a separator.
struct FoundFile {
    QString Name;
    QString Folder;
};

using FoundFileList = std::vector<FoundFile>;

} // namespace tagjobs
