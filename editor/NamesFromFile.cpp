#include "NamesFromFile.h"

#include "naming/FieldsFromPath.h"
#include "naming/NamePattern.h"

#include <QFileInfo>

namespace editor {

std::optional<naming::NameFields> FieldsFromFileName(const QString& patternText,
                                                     const QString& path, QString& error) {
    QString reason;
    const auto pattern = naming::NamePattern::Parse(patternText, &reason);
    if (!pattern) {
        error = QStringLiteral("The pattern \"%1\" is not valid: %2").arg(patternText, reason);
        return std::nullopt;
    }
    auto fields = naming::FieldsFromPath(*pattern, path);
    if (!fields)
        error = QStringLiteral("The file name \"%1\" does not fit the pattern \"%2\".")
                    .arg(QFileInfo(path).completeBaseName(), patternText);
    return fields;
}

bool PatternNames(const QString& patternText, int field) {
    const auto pattern = naming::NamePattern::Parse(patternText);
    return pattern && pattern->Names(static_cast<naming::Field>(field));
}

} // namespace editor
