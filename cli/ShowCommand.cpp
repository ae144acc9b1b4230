// show: both tags of each file, as aligned text or as JSON.
#include "Commands.h"
#include "FileBatch.h"
#include "tagjobs/FileSet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <optional>
#include <utility>

namespace cli {
namespace {

// Tags stay null for a file that could not be read at all, the version for one without ID3v2.
QString JsonLine(const QString& path, const TagPair* tags, int v2Version,
                 const QStringList& errors) {
    const QJsonValue none(QJsonValue::Null);
    const QJsonObject object{
        {QStringLiteral("path"), path},
        {QStringLiteral("v1"), tags != nullptr ? QJsonValue(FieldsObject(tags->v1)) : none},
        {QStringLiteral("v2"), tags != nullptr ? QJsonValue(FieldsObject(tags->v2)) : none},
        {QStringLiteral("v2version"), v2Version != 0 ? QJsonValue(v2Version) : none},
        {QStringLiteral("errors"), QJsonArray::fromStringList(errors)}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace

int RunShow(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    // Each file goes out as it is read: a long list is never held whole.
    const bool array = options.json && !options.jsonLines;
    PrintOut(array ? QStringLiteral("[") : QString());
    bool first = true;
    // One file, read or not (`reason` says why not); its messages so far are the report's.
    const auto show = [&](const QString& path, const QString& reason) {
        std::optional<TagPair> tags;
        int v2Version = 0;
        if (!reason.isEmpty()) {
            report.Fail(reason);
        } else {
            tags = ReadBoth(id3, path);
            v2Version = Id3v2Version(id3, path);
            // Tags that could not be read are not shown as empty ones.
            if (report.Failed())
                tags.reset();
        }
        const QString separator = std::exchange(first, false) ? QString() : QStringLiteral("\n");
        if (options.jsonLines)
            PrintOut(JsonLine(path, tags ? &*tags : nullptr, v2Version, report.Messages()) + u'\n');
        else if (options.json)
            PrintOut((array && separator.isEmpty() ? QStringLiteral("\n") : QStringLiteral(",\n")) +
                     JsonLine(path, tags ? &*tags : nullptr, v2Version, report.Messages()));
        else if (tags)
            PrintOut(separator + AlignedText(path, *tags, v2Version));
    };
    if (options.recursive) {
        // Folders are searched as sync searches them; a path that cannot be used is only
        // reported.
        tagjobs::RunEach(
            tagjobs::FileSet::FromPaths(options.paths, tagjobs::FileSet::Given::FilesAndFolders),
            report, QString(), [&](const QString& path, int) {
                show(path, QString());
                return tagjobs::FileOutcome::Done();
            });
    } else {
        for (const QString& path : options.paths) {
            report.Begin(path);
            show(path, tagjobs::UnusableReason(path));
            report.End();
        }
    }
    PrintOut(array ? QStringLiteral("\n]\n") : QString());
    return report.ExitCode();
}

} // namespace cli
