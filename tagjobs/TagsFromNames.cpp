#include "TagsFromNames.h"

#include "naming/FieldsFromPath.h"

#include <algorithm>

namespace tagjobs {

std::vector<NameReading> ReadNames(const std::vector<batch::MoveSource>& files,
                                   const naming::NamePattern& pattern) {
    std::vector<NameReading> readings;
    readings.reserve(files.size());
    for (const batch::MoveSource& file : files)
        readings.push_back({file.path, naming::FieldsFromPath(pattern, file.path)});
    return readings;
}

tagaccess::TagFields WithNamedFields(tagaccess::TagFields tag, const naming::NameFields& read,
                                     const naming::NamePattern& pattern) {
    tag.resize(std::max(tag.size(), size_t(naming::kTagFieldCount)));
    for (int k = 0; k < naming::kTagFieldCount; ++k) {
        if (pattern.Names(naming::Field(k)))
            tag[size_t(k)] = read[size_t(k)];
    }
    return tag;
}

FilePlanner FromNamesPlanner(const naming::NamePattern& pattern, ChosenTags versions) {
    return [pattern, versions](tagaccess::ID3& id3, const QString& path, int index) {
        const std::optional<naming::NameFields> read = naming::FieldsFromPath(pattern, path);
        if (!read) {
            FilePlan refused;
            refused.refusal =
                QStringLiteral("the name does not fit the pattern \"%1\"").arg(pattern.Text());
            return refused;
        }
        return PlanChange(id3, path, versions, index + 1,
                          [&](const tagaccess::TagFields& old, int, int) {
                              return WithNamedFields(old, *read, pattern);
                          });
    };
}

} // namespace tagjobs
