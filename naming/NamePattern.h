#pragma once

#include "NameFields.h"

#include <QString>
#include <optional>
#include <vector>

namespace naming {

// A parsed naming pattern: `%artist%/%album%/%track:2% - %title%`. Placeholders are %title%,
// %artist%, %album%, %year%, %genre%, %track% (with an optional width, %track:2%), %comment% and
// %filename%; "%%" is a literal percent sign; "/" starts a folder. No extension: the file keeps
// its own.
class NamePattern {
  public:
    struct Piece {
        QString literal; // when field is empty
        std::optional<Field> field;
        int width = 0; // zero-padding of the track number
    };
    // One folder or file name level of the pattern.
    using Component = std::vector<Piece>;

    // Answers the pattern, or nothing with the reason in error.
    static std::optional<NamePattern> Parse(const QString& text, QString* error = nullptr);

    const QString& Text() const { return text_; }
    const std::vector<Component>& Components() const { return components_; }
    bool MakesFolders() const { return components_.size() > 1; }
    bool Names(Field field) const;

  private:
    QString text_;
    std::vector<Component> components_;
};

inline const QString kOrganizePattern = QStringLiteral("%artist%/%album%/%track:2% - %title%");
inline const QString kRenamePattern = QStringLiteral("%track:2% - %title%");
inline const QString kReadNamePattern = QStringLiteral("%artist% - %title%");

} // namespace naming
