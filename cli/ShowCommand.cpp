// show: both tags of each file, as aligned text or as JSON.
#include "Commands.h"
#include "FileBatch.h"
#include "tagjobs/FileSet.h"

#include <QJsonArray>
#include <QJsonDocument>

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
    for (qsizetype i = 0; i < options.paths.size(); ++i) {
        const QString& path = options.paths[i];
        report.Begin(path);
        const QString reason = tagjobs::UnusableReason(path);
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
        if (options.jsonLines)
            PrintOut(JsonLine(path, tags ? &*tags : nullptr, v2Version, report.Messages()) + u'\n');
        else if (options.json)
            PrintOut((i == 0 ? QStringLiteral("\n") : QStringLiteral(",\n")) +
                     JsonLine(path, tags ? &*tags : nullptr, v2Version, report.Messages()));
        else if (tags)
            PrintOut((i == 0 ? QString() : QStringLiteral("\n")) +
                     AlignedText(path, *tags, v2Version));
        report.End();
    }
    PrintOut(array ? QStringLiteral("\n]\n") : QString());
    return report.ExitCode();
}

} // namespace cli
