#include "ProcessFile.h"

namespace organizer {

std::optional<TagRow> ProcessFile(tagaccess::ID3& id3, const QString& path, bool useId3v1) {
    if (!id3.SyncTags(path, kPreferV2, false))
        return std::nullopt;
    const tagaccess::TagFields fields =
        useId3v1 ? id3.ReadId3v1(path, false) : id3.ReadId3v2(path, false);
    TagRow row;
    row[0] = path;
    for (size_t k = 0; k < 6; ++k)
        row[k + 1] = k < fields.size() ? fields[k] : QString();
    return row;
}

} // namespace organizer
