#pragma once

// A typical MP3 for the figures: about 4 MiB of MPEG frames, an ID3v2.3 tag with seven texts, a
// comment and a 30 KiB cover in padding, and an ID3v1 record.
#include <string>

namespace bench {

// Writes the file; `v24` makes the ID3v2 tag v2.4.
void WriteTypicalMp3(const std::string& path, bool v24);

} // namespace bench
