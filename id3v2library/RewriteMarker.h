#pragma once

// The first bytes of a file while a save rewrites it in place (see SaveJournal.h). No MP3 starts
// with them, so a file that shows them holds no audio until its journal is copied over it again.
#include <string_view>

namespace kivuna::tags {

inline constexpr std::string_view kRewriteMarker = "KVREWRITE";

} // namespace kivuna::tags
