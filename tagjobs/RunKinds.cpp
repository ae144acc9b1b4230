#include "RunKinds.h"

namespace tagjobs {

QStringList MoveCommands() {
    return {kOrganizeCommand, kRenameCommand};
}

QStringList TagCommands() {
    return {kTagsFromNamesCommand, kEditCommand,    kClearCommand, kRemoveCommand, kTranslitCommand,
            kPicturesCommand,      kConvertCommand, kSyncCommand,  kRepairCommand};
}

QStringList AllCommands() {
    return MoveCommands() + TagCommands();
}

bool MovesFiles(const QString& command) {
    return MoveCommands().contains(command);
}

QString RunCaption(const QString& command) {
    if (command == kOrganizeCommand)
        return QStringLiteral("Organize Files");
    if (command == kRenameCommand)
        return QStringLiteral("Rename files");
    if (command == kTagsFromNamesCommand)
        return QStringLiteral("Tags from file names");
    if (command == kEditCommand)
        return QStringLiteral("Edit tags");
    if (command == kClearCommand)
        return QStringLiteral("Leave ID3 tags");
    if (command == kRemoveCommand)
        return QStringLiteral("Kill ID3 tags");
    if (command == kTranslitCommand)
        return QStringLiteral("Translit tag fields");
    if (command == kPicturesCommand)
        return QStringLiteral("Pictures");
    if (command == kConvertCommand)
        return QStringLiteral("Convert ID3v2 version");
    if (command == kSyncCommand)
        return QStringLiteral("Synchronise tags");
    if (command == kRepairCommand)
        return QStringLiteral("Repair text encodings");
    return command;
}

} // namespace tagjobs
