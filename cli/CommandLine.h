#pragma once

#include "platform/Exception.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// What the command line asks for, checked before any file is touched.
namespace cli {

enum class Command {
    Help,
    Version,
    Show,
    Set,
    Copy,
    Remove,
    Picture,
    Convert,
    Sync,
    Organize,
    Rename,
    FromNames,
    FixEncoding,
    Undo
};

enum class PictureAction { Export, Import, Remove };

// The tags a set or a dry run works on.
struct TagChoice {
    bool v1 = true;
    bool v2 = true;
};

// One field a set changes: its index in the tag fields and its new text.
struct FieldChange {
    int field = 0;
    QString text;
};

struct Options {
    Command command = Command::Help;
    QString helpTopic;      // the command whose help was asked for; empty for the overview
    QStringList paths;      // files, and for the commands that search them folders too, in order
    bool json = false;      // show: one JSON object per file
    bool jsonLines = false; // show: with json, one object per line and no enclosing array
    bool dryRun = false;    // all but show and undo: print what would change, write nothing
    TagChoice tags;         // set, from-names, remove, fix-encoding: which tags change
    bool tagsNamed = false; // set, from-names, remove: --v1/--v2 given (each one adds its tag)
    bool recursive = false; // show, set, copy, remove: folders are searched, as by sync
    bool quiet = false;     // every command: no progress line and no closing summary
    std::vector<FieldChange> changes; // set: the fields given, in field order
    bool v1ToV2 = true;               // copy: the direction
    int8_t prefer = 2;                // sync: the tag whose text wins where both hold text
    QString pattern;                  // organize, rename, from-names: the naming pattern (checked)
    QString destination;              // organize: the absolute folder the files go under
    bool copy = false;                // organize: copy the files instead of moving them
    bool fieldsFromV1 = false;        // organize, rename: name files by their ID3v1 tag, not ID3v2
    bool posixNames = false;          // organize, rename: allow what only FAT and Windows refuse
    PictureAction pictureAction = PictureAction::Export; // picture: what to do
    int pictureType = 3;                                 // picture: export, remove: the type
    QString pictureFile; // picture: the file export writes, or import reads
    int convertTo = 0;   // convert: the ID3v2 version, 3 or 4
    QString undoCommand; // undo: the journal command whose last run to undo; empty: any
    bool list = false;   // undo: list the runs that can be undone instead
};

// A command line that asks for nothing this program does; the message says what is wrong.
class UsageError : public platform::Exception {
  public:
    using platform::Exception::Exception;
};

// Reads the arguments after the program name; throws UsageError.
Options ParseCommandLine(const QStringList& arguments);

} // namespace cli
