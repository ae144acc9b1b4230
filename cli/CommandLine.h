#pragma once

#include "platform/Exception.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// What the command line asks for, checked before any file is touched.
namespace cli {

enum class Command { Help, Show, Set, Copy, Sync };

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
    QString helpTopic;   // the command whose help was asked for; empty for the overview
    QStringList paths;   // files, and for sync folders too, in the order given
    bool json = false;   // show: one JSON object per file
    bool dryRun = false; // set, copy, sync: print what would change, write nothing
    TagChoice tags;      // set: which tags change
    std::vector<FieldChange> changes; // set: the fields given, in field order
    bool v1ToV2 = true;               // copy: the direction
    int8_t prefer = 2;                // sync: the tag whose text wins where both hold text
};

// A command line that asks for nothing this program does; the message says what is wrong.
class UsageError : public platform::Exception {
  public:
    using platform::Exception::Exception;
};

// Reads the arguments after the program name; throws UsageError.
Options ParseCommandLine(const QStringList& arguments);

} // namespace cli
