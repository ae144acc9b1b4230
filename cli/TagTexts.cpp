#include "TagTexts.h"

#include "TerminalText.h"
#include "tagaccess/TagSteps.h"

#include <array>

namespace cli {
namespace {

using namespace tagaccess;

QString WithoutTrailingBlanks(QString text) {
    while (!text.isEmpty() && text.back().unicode() <= u' ')
        text.chop(1);
    return text;
}

QString Quoted(const QString& text) {
    return u'"' + ForOutput(text) + u'"';
}

void AddDifferences(const char* tagName, const TagFields& now, const TagFields& planned,
                    QStringList& lines) {
    for (int field = 0; field < kTagFieldCount; ++field) {
        const QString& before = steps::Field(now, field);
        const QString& after = steps::Field(planned, field);
        if (before != after)
            lines << QStringLiteral("%1 %2: %3 -> %4")
                         .arg(QLatin1String(tagName), FieldLabel(field), Quoted(before),
                              Quoted(after));
    }
}

} // namespace

TagPair ReadBoth(ID3& id3, const QString& path) {
    return {id3.ReadId3v1(path, true), id3.ReadId3v2(path, true)};
}

int Id3v2Version(ID3& id3, const QString& path) {
    const std::optional<AudioFacts> facts = id3.ReadAudioFacts(path, false);
    return facts ? facts->id3v2Version : 0;
}

QString FieldLabel(int field) {
    return QLatin1String(kFieldNames[size_t(field)]);
}

QString FieldKey(int field) {
    return FieldLabel(field).toLower();
}

QString AlignedText(const QString& path, const TagPair& tags, int v2Version) {
    qsizetype labelWidth = 0;
    qsizetype v1Width = 5; // "ID3v1"
    TagPair shown;
    for (int field = 0; field < kTagFieldCount; ++field) {
        shown.v1[size_t(field)] = ForOutput(steps::Field(tags.v1, field));
        shown.v2[size_t(field)] = ForOutput(steps::Field(tags.v2, field));
        labelWidth = std::max(labelWidth, FieldLabel(field).size());
        v1Width = std::max(v1Width, shown.v1[size_t(field)].size());
    }
    const auto line = [&](const QString& label, const QString& one, const QString& two) {
        return WithoutTrailingBlanks(QStringLiteral("  ") + label.leftJustified(labelWidth) +
                                     QStringLiteral("  ") + one.leftJustified(v1Width) +
                                     QStringLiteral("  ") + two) +
               u'\n';
    };
    const QString v2Head =
        v2Version != 0 ? QStringLiteral("ID3v2.%1").arg(v2Version) : QStringLiteral("ID3v2 (none)");
    QString text = ForOutput(path) + u'\n' + line(QString(), QStringLiteral("ID3v1"), v2Head);
    for (int field = 0; field < kTagFieldCount; ++field)
        text += line(FieldLabel(field), shown.v1[size_t(field)], shown.v2[size_t(field)]);
    return text;
}

QJsonObject FieldsObject(const TagFields& fields) {
    QJsonObject object;
    for (int field = 0; field < kTagFieldCount; ++field)
        object.insert(FieldKey(field), steps::Field(fields, field));
    return object;
}

QStringList Differences(const TagPair& now, const TagPair& planned, TagChoice tags) {
    QStringList lines;
    if (tags.v1)
        AddDifferences("ID3v1", now.v1, planned.v1, lines);
    if (tags.v2)
        AddDifferences("ID3v2", now.v2, planned.v2, lines);
    return lines;
}

} // namespace cli
