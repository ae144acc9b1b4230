#include "PathFromFields.h"

#include <QStringList>

namespace naming {
namespace {

// What stands for an empty field of a name.
QString StandIn(Field field) {
    switch (field) {
    case Field::Artist:
        return QStringLiteral("Unknown Artist");
    case Field::Album:
        return QStringLiteral("Unknown Album");
    case Field::Title:
        return QStringLiteral("Untitled");
    default:
        return {};
    }
}

} // namespace

QString TrackText(const QString& track, int width) {
    const QString text = track.trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    if (digits == 0)
        return text;
    const qulonglong number = text.left(digits).toULongLong();
    if (number == 0)
        return {};
    return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
}

PathFromFieldsResult PathFromFields(const NamePattern& pattern, const NameFields& fields,
                                    const QString& extension, NameRules rules) {
    PathFromFieldsResult result;
    QStringList levels;
    const auto& components = pattern.Components();
    for (size_t level = 0; level < components.size(); ++level) {
        QString text;
        for (const NamePattern::Piece& piece : components[level]) {
            if (!piece.field) {
                text += piece.literal;
                continue;
            }
            QString value = At(fields, *piece.field).trimmed();
            if (*piece.field == Field::Track)
                value = TrackText(value, piece.width);
            if (value.isEmpty()) {
                result.incomplete = true;
                value = StandIn(*piece.field);
            }
            text += value;
        }
        const bool last = level + 1 == components.size();
        QString name = SafeName(text, last ? extension : QString(), rules);
        if (name.isEmpty()) {
            result.incomplete = true;
            name = last ? SafeName(StandIn(Field::Title), extension, rules)
                        : QStringLiteral("Unknown");
        }
        levels << name;
    }
    result.path = levels.join(QLatin1Char('/'));
    return result;
}

} // namespace naming
