#include "FieldsFromPath.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace naming {
namespace {

// One expression for the whole pattern, with one group per placeholder in order.
QRegularExpression Expression(const NamePattern& pattern, std::vector<Field>& groups) {
    QStringList levels;
    for (const NamePattern::Component& component : pattern.Components()) {
        QString level;
        for (const NamePattern::Piece& piece : component) {
            if (!piece.field) {
                level += QRegularExpression::escape(piece.literal);
                continue;
            }
            groups.push_back(*piece.field);
            const bool number = *piece.field == Field::Track || *piece.field == Field::Year;
            level += number ? QStringLiteral("(\\d+)") : QStringLiteral("(.*?)");
        }
        levels << level;
    }
    return QRegularExpression(QStringLiteral("^") + levels.join(QLatin1Char('/')) +
                              QStringLiteral("$"));
}

} // namespace

std::optional<NameFields> FieldsFromPath(const NamePattern& pattern, const QString& path) {
    const QFileInfo file(path);
    QStringList levels{file.completeBaseName()};
    QString folder = file.path();
    for (size_t n = 1; n < pattern.Components().size(); ++n) {
        const QFileInfo up(folder);
        if (up.fileName().isEmpty())
            return std::nullopt;
        levels.prepend(up.fileName());
        folder = up.path();
    }
    std::vector<Field> groups;
    const QRegularExpressionMatch match =
        Expression(pattern, groups).match(levels.join(QLatin1Char('/')));
    if (!match.hasMatch())
        return std::nullopt;
    NameFields fields;
    for (size_t g = 0; g < groups.size(); ++g) {
        QString& value = At(fields, groups[g]);
        // A field named twice keeps what it matched first.
        if (value.isEmpty())
            value = match.captured(int(g) + 1).trimmed();
    }
    At(fields, Field::FileName).clear();
    return fields;
}

} // namespace naming
