#include "NamePattern.h"

#include <algorithm>

namespace naming {
namespace {

struct Placeholder {
    const char* name;
    Field field;
};
constexpr std::array<Placeholder, kFieldCount> kPlaceholders = {{{"title", Field::Title},
                                                                 {"artist", Field::Artist},
                                                                 {"album", Field::Album},
                                                                 {"year", Field::Year},
                                                                 {"genre", Field::Genre},
                                                                 {"track", Field::Track},
                                                                 {"comment", Field::Comment},
                                                                 {"filename", Field::FileName}}};

std::optional<Field> FieldNamed(const QString& name) {
    for (const Placeholder& p : kPlaceholders) {
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0)
            return p.field;
    }
    return std::nullopt;
}

std::optional<NamePattern::Piece> ParsePlaceholder(const QString& inside, QString* error) {
    const QString name = inside.section(QLatin1Char(':'), 0, 0);
    NamePattern::Piece piece;
    piece.field = FieldNamed(name);
    if (!piece.field) {
        *error = QStringLiteral("Unknown field %%1% in the pattern").arg(name);
        return std::nullopt;
    }
    if (inside.contains(QLatin1Char(':'))) {
        bool ok = false;
        piece.width = inside.section(QLatin1Char(':'), 1).toInt(&ok);
        if (*piece.field != Field::Track || !ok || piece.width < 1 || piece.width > 9) {
            *error = QStringLiteral("Only %track% takes a width, from 1 to 9: %%1%").arg(inside);
            return std::nullopt;
        }
    }
    return piece;
}

} // namespace

std::optional<NamePattern> NamePattern::Parse(const QString& text, QString* error) {
    QString ignored;
    QString& why = error ? *error : ignored;
    NamePattern pattern;
    pattern.text_ = text;
    pattern.components_.emplace_back();
    const auto addLiteral = [&](QChar c) {
        Component& component = pattern.components_.back();
        if (component.empty() || component.back().field)
            component.emplace_back();
        component.back().literal += c;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('/')) {
            pattern.components_.emplace_back();
        } else if (c != QLatin1Char('%')) {
            addLiteral(c);
        } else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('%')) {
            addLiteral(c);
            ++i;
        } else {
            const qsizetype close = text.indexOf(QLatin1Char('%'), i + 1);
            if (close < 0) {
                why = QStringLiteral("A field in the pattern is not closed with %");
                return std::nullopt;
            }
            std::optional<Piece> piece = ParsePlaceholder(text.mid(i + 1, close - i - 1), &why);
            if (!piece)
                return std::nullopt;
            pattern.components_.back().push_back(*piece);
            i = close;
        }
    }
    const bool emptyLevel =
        std::any_of(pattern.components_.begin(), pattern.components_.end(),
                    [](const Component& component) { return component.empty(); });
    if (emptyLevel) {
        why = text.trimmed().isEmpty() ? QStringLiteral("The pattern is empty")
                                       : QStringLiteral("The pattern has an empty folder name");
        return std::nullopt;
    }
    return pattern;
}

bool NamePattern::Names(Field field) const {
    for (const Component& component : components_) {
        for (const Piece& piece : component) {
            if (piece.field == field)
                return true;
        }
    }
    return false;
}

} // namespace naming
