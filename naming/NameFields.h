#pragma once

#include <QString>
#include <array>

namespace naming {

// The tag fields a pattern can name, in the order of the tag field arrays, then the file's own
// name without its extension (which a pattern may name but a tag does not hold).
enum class Field : int { Title, Artist, Album, Year, Genre, Track, Comment, FileName };

inline constexpr int kFieldCount = 8;
inline constexpr int kTagFieldCount = 7;

using NameFields = std::array<QString, kFieldCount>;

inline QString& At(NameFields& fields, Field field) {
    return fields[size_t(field)];
}
inline const QString& At(const NameFields& fields, Field field) {
    return fields[size_t(field)];
}

} // namespace naming
