#pragma once

#include <QString>
#include <QStringList>

// The kinds of journaled runs, by the command name their journals carry. Both front ends make
// them and each takes back the other's.
namespace tagjobs {

// Runs that move or copy files.
inline const QString kOrganizeCommand = QStringLiteral("organize");
inline const QString kRenameCommand = QStringLiteral("rename");
// Runs that change tag texts; their journals keep every file's old texts.
inline const QString kTagsFromNamesCommand = QStringLiteral("tags-from-names");
inline const QString kEditCommand = QStringLiteral("edit-tags");
inline const QString kClearCommand = QStringLiteral("clear-tags");
inline const QString kRemoveCommand = QStringLiteral("remove-tags");
inline const QString kTranslitCommand = QStringLiteral("translit-tags");
inline const QString kPicturesCommand = QStringLiteral("picture");
inline const QString kConvertCommand = QStringLiteral("convert");
// Texts that other programs garbled, repaired.
inline const QString kRepairCommand = QStringLiteral("fix-encoding");
// The processing: both tags of every file merged and written into both.
inline const QString kSyncCommand = QStringLiteral("sync");

QStringList MoveCommands();
QStringList TagCommands();
QStringList AllCommands();

bool MovesFiles(const QString& command);

// The run's name for the user: "Organize Files", "Edit tags" ...
QString RunCaption(const QString& command);

// Where a run was made, as its journal names it.
inline const QString kWindowFrontEnd = QStringLiteral("window");
inline const QString kShellFrontEnd = QStringLiteral("shell");

} // namespace tagjobs
