#pragma once

#include "TagFileChange.h"

#include <QJsonObject>
#include <QStringList>
#include <optional>

// How the list's tag commands keep a file's old tags in the undo journal.
namespace organizer {

// The journal command names of the list's tag commands; "Undo last change" takes the newest.
extern const QString kEditCommand;
extern const QString kClearCommand;
extern const QString kRemoveCommand;
extern const QString kTranslitCommand;
QStringList TagCommandNames();
// The menu caption of a command, for the user.
QString TagCommandCaption(const QString& command);

// The record of one file: its path and both tags' seven texts exactly as read.
QJsonObject TagsRecord(const QString& path, const FileTagsBefore& before);

struct KeptTags {
    QString path;
    FileTagsBefore before;
};

// The file and tags of a record; nothing for a record of another kind or a damaged one.
std::optional<KeptTags> ReadTagsRecord(const QJsonObject& record);

} // namespace organizer
