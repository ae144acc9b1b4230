#pragma once

#include "TagFileChange.h"
#include "journal/JournalReader.h"

#include <QJsonObject>
#include <QStringList>
#include <vector>

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

// The record that a file's change was carried out (its old tags were recorded before).
QJsonObject CarriedOutRecord(const QString& path);

// The files whose old tags an undo of the journal writes back, newest first: of a run that ended,
// those it changed; of a run that died, every file it recorded (those it never reached still hold
// their old tags, and writing them again changes nothing).
std::vector<KeptTags> FilesToRestore(const journal::JournalInfo& journal);

} // namespace organizer
