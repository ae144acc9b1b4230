#pragma once

// Conversions between the interface's UTF-8 texts and TagLib's strings. TagLib's char* constructor
// assumes Latin-1, so the encoding is always named.
#include <string>
#include <taglib/tstring.h>

namespace kivuna::tags {

inline TagLib::String FromUtf8(const std::string& text) {
    return TagLib::String(text, TagLib::String::UTF8);
}

inline std::string ToUtf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

// A C text that may be null, as a string (null reads as empty).
inline std::string TextOrEmpty(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

} // namespace kivuna::tags
