#include "CommandLine.h"

#include "naming/NamePattern.h"
#include "tagaccess/TagFields.h"
#include "tagjobs/RunKinds.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace cli {
namespace {

using namespace tagaccess;

struct FieldOption {
    const char* name;
    int field;
};
constexpr std::array<FieldOption, 7> kFieldOptions = {{{"--title", kTitle},
                                                       {"--artist", kArtist},
                                                       {"--album", kAlbum},
                                                       {"--year", kYear},
                                                       {"--genre", kGenre},
                                                       {"--track", kTrack},
                                                       {"--comment", kComment}}};

std::optional<Command> CommandNamed(const QString& name) {
    if (name == u"show")
        return Command::Show;
    if (name == u"set")
        return Command::Set;
    if (name == u"copy")
        return Command::Copy;
    if (name == u"remove")
        return Command::Remove;
    if (name == u"picture")
        return Command::Picture;
    if (name == u"convert")
        return Command::Convert;
    if (name == u"sync")
        return Command::Sync;
    if (name == u"organize")
        return Command::Organize;
    if (name == u"rename")
        return Command::Rename;
    if (name == u"from-names")
        return Command::FromNames;
    if (name == u"fix-encoding")
        return Command::FixEncoding;
    if (name == u"undo")
        return Command::Undo;
    if (name == u"help")
        return Command::Help;
    return std::nullopt;
}

// The journal command of each command undo can name.
std::optional<QString> JournalCommandNamed(const QString& name) {
    if (name == u"organize")
        return tagjobs::kOrganizeCommand;
    if (name == u"rename")
        return tagjobs::kRenameCommand;
    if (name == u"from-names")
        return tagjobs::kTagsFromNamesCommand;
    if (name == u"set")
        return tagjobs::kEditCommand;
    if (name == u"remove")
        return tagjobs::kRemoveCommand;
    if (name == u"picture")
        return tagjobs::kPicturesCommand;
    if (name == u"convert")
        return tagjobs::kConvertCommand;
    if (name == u"sync")
        return tagjobs::kSyncCommand;
    if (name == u"fix-encoding")
        return tagjobs::kRepairCommand;
    return std::nullopt;
}

// The arguments of one command: options in any order before or between the paths, "--" ends
// the options, "--name=value" and "--name value" both give a value.
class Arguments {
  public:
    Arguments(const QStringList& list, int first) : list_(list), next_(first) {}

    bool AtEnd() const { return next_ >= list_.size(); }

    // The next argument; sets `isOption` when it is an option (its value split off).
    QString Take(bool& isOption) {
        QString argument = list_[next_++];
        isOption = !optionsEnded_ && argument.startsWith(u'-') && argument != u"-";
        value_.reset();
        if (isOption && argument == u"--") {
            optionsEnded_ = true;
            isOption = false;
            return AtEnd() ? QString() : Take(isOption);
        }
        if (isOption && argument.startsWith(u"--")) {
            const qsizetype equals = argument.indexOf(u'=');
            if (equals > 0) {
                value_ = argument.mid(equals + 1);
                argument.truncate(equals);
            }
        }
        return argument;
    }

    QString Value(const QString& option) {
        if (value_)
            return *std::exchange(value_, std::nullopt);
        if (AtEnd())
            throw UsageError(QStringLiteral("%1 needs a value").arg(option));
        return list_[next_++];
    }

    // An option that takes no value must not be given one.
    void NoValue(const QString& option) const {
        if (value_)
            throw UsageError(QStringLiteral("%1 takes no value").arg(option));
    }

  private:
    const QStringList& list_;
    int next_;
    bool optionsEnded_ = false;
    std::optional<QString> value_;
};

// Digits only, or digits "/" digits for a track of a total (ID3v1 keeps the track): blanks or
// signs would only fail every file's write.
void CheckTrack(const QString& text) {
    static const QRegularExpression track(QStringLiteral("^[0-9]+(/[0-9]+)?$"));
    if (!text.isEmpty() && !track.match(text).hasMatch())
        throw UsageError(QStringLiteral("--track needs a whole number of 0 or more, or N/TOTAL, "
                                        "not \"%1\"")
                             .arg(text));
}

// --v1, --v2 and --both of set and from-names: the first replaces "both", each later one adds.
void ChooseTag(const QString& option, Options& options) {
    if (!std::exchange(options.tagsNamed, true))
        options.tags = {false, false};
    options.tags.v1 = options.tags.v1 || option != u"--v2";
    options.tags.v2 = options.tags.v2 || option != u"--v1";
}

// Whether the option is one of the command's own; consumes its value.
bool TakeCommandOption(const QString& option, Arguments& args, Options& options) {
    const auto flag = [&](bool& target) {
        args.NoValue(option);
        target = true;
        return true;
    };
    const Command command = options.command;
    const bool walks = command == Command::Show || command == Command::Set ||
                       command == Command::Copy || command == Command::Remove ||
                       command == Command::Picture || command == Command::Convert;
    if (walks && (option == u"-r" || option == u"--recursive"))
        return flag(options.recursive);
    // Every command that writes can be asked what it would write.
    const bool writes = command != Command::Show && command != Command::Undo &&
                        command != Command::Help && command != Command::Version;
    if (writes && option == u"--dry-run")
        return flag(options.dryRun);
    if ((command == Command::Set || command == Command::Remove || command == Command::FromNames ||
         command == Command::FixEncoding) &&
        (option == u"--v1" || option == u"--v2" || option == u"--both")) {
        args.NoValue(option);
        ChooseTag(option, options);
        return true;
    }
    switch (command) {
    case Command::Show:
        if (option == u"--json")
            return flag(options.json);
        if (option == u"--jsonl") {
            options.jsonLines = true;
            return flag(options.json);
        }
        return false;
    case Command::Set:
        for (const FieldOption& field : kFieldOptions) {
            if (option == QLatin1String(field.name)) {
                FieldChange change{field.field, args.Value(option)};
                if (field.field == kTrack)
                    CheckTrack(change.text);
                std::erase_if(options.changes,
                              [&](const FieldChange& c) { return c.field == change.field; });
                options.changes.push_back(std::move(change));
                return true;
            }
        }
        return false;
    case Command::Picture:
        if (option == u"--type") {
            const QString type = args.Value(option);
            bool ok = false;
            options.pictureType = type.toInt(&ok);
            if (!ok || options.pictureType < 0 || options.pictureType > 20 ||
                type.trimmed() != type)
                throw UsageError(
                    QStringLiteral("--type takes a picture type of 0 to 20 (3: front cover, 4: "
                                   "back cover), not \"%1\"")
                        .arg(type));
            return true;
        }
        return false;
    case Command::Convert:
        if (option == u"--to") {
            const QString version = args.Value(option);
            if (version != u"2.3" && version != u"2.4")
                throw UsageError(QStringLiteral("--to takes 2.3 or 2.4, not \"%1\"").arg(version));
            options.convertTo = version == u"2.3" ? 3 : 4;
            return true;
        }
        return false;
    case Command::Sync:
        if (option == u"--prefer") {
            const QString version = args.Value(option);
            if (version != u"1" && version != u"2")
                throw UsageError(QStringLiteral("--prefer takes 1 or 2, not \"%1\"").arg(version));
            options.prefer = version == u"1" ? 1 : 2;
            return true;
        }
        return false;
    case Command::Organize:
    case Command::Rename:
        if (option == u"--pattern") {
            options.pattern = args.Value(option);
            return true;
        }
        if (option == u"--v1" || option == u"--v2") {
            args.NoValue(option);
            options.fieldsFromV1 = option == u"--v1";
            return true;
        }
        if (option == u"--posix-names")
            return flag(options.posixNames);
        if (options.command == Command::Organize && option == u"--copy")
            return flag(options.copy);
        if (options.command == Command::Organize && option == u"--to") {
            options.destination = args.Value(option);
            return true;
        }
        return false;
    case Command::FromNames:
        if (option == u"--pattern") {
            options.pattern = args.Value(option);
            return true;
        }
        return false;
    case Command::Undo:
        if (option == u"--list") {
            args.NoValue(option);
            options.list = true;
            return true;
        }
        return false;
    default:
        return false;
    }
}

// The command's pattern, its default when none was given; the reasons the window's dialogs give
// for one they cannot run.
void CheckPattern(Options& options) {
    if (options.pattern.isNull())
        options.pattern = options.command == Command::Organize ? naming::kOrganizePattern
                          : options.command == Command::Rename ? naming::kRenamePattern
                                                               : naming::kReadNamePattern;
    QString why;
    const std::optional<naming::NamePattern> pattern =
        naming::NamePattern::Parse(options.pattern, &why);
    if (!pattern)
        throw UsageError(QStringLiteral("--pattern: ") + why);
    if (options.command == Command::Rename && pattern->MakesFolders())
        throw UsageError(
            QStringLiteral("A rename keeps every file in its folder: the pattern cannot hold /"));
    if (options.command == Command::FromNames && pattern->Names(naming::Field::FileName))
        throw UsageError(QStringLiteral("%filename% names no tag field"));
}

// The destination as an absolute folder; without --to, the one folder given, as the window
// offers the folder it searched.
void CheckDestination(Options& options) {
    if (options.destination.isEmpty()) {
        if (options.paths.size() != 1 || !QFileInfo(options.paths.front()).isDir())
            throw UsageError(
                QStringLiteral("organize needs --to FOLDER unless it is given one folder"));
        options.destination = options.paths.front();
    }
    const QFileInfo folder(options.destination);
    if (folder.exists() && !folder.isDir())
        throw UsageError(
            QStringLiteral("--to needs a folder, not \"%1\"").arg(options.destination));
    options.destination = QDir::cleanPath(folder.absoluteFilePath());
}

} // namespace

Options ParseCommandLine(const QStringList& arguments) {
    Options options;
    // --quiet may stand before the command too.
    QStringList rest = arguments;
    while (!rest.isEmpty() && (rest.front() == u"--quiet" || rest.front() == u"-q")) {
        options.quiet = true;
        rest.removeFirst();
    }
    if (rest.isEmpty())
        throw UsageError(QStringLiteral("a command is missing"));
    const QString& first = rest.front();
    if (first == u"--version") {
        options.command = Command::Version;
        return options;
    }
    // "--help COMMAND" is that command's help, as "help COMMAND" is.
    if (first == u"--help" || first == u"-h") {
        if (rest.size() > 2)
            throw UsageError(QStringLiteral("--help takes one command name"));
        options.helpTopic = rest.value(1);
        if (!options.helpTopic.isEmpty() && !CommandNamed(options.helpTopic))
            throw UsageError(QStringLiteral("\"%1\" is no command").arg(options.helpTopic));
        return options;
    }
    const std::optional<Command> command = CommandNamed(first);
    if (!command)
        throw UsageError(QStringLiteral("\"%1\" is no command").arg(first));
    options.command = *command;

    Arguments args(rest, 1);
    while (!args.AtEnd()) {
        bool isOption = false;
        const QString argument = args.Take(isOption);
        if (isOption && (argument == u"--quiet" || argument == u"-q")) {
            args.NoValue(argument);
            options.quiet = true;
            continue;
        }
        if (isOption && (argument == u"--help" || argument == u"-h")) {
            options.helpTopic = first;
            options.command = Command::Help;
            return options;
        }
        if (isOption) {
            if (!TakeCommandOption(argument, args, options))
                throw UsageError(QStringLiteral("%1 has no option %2").arg(first, argument));
        } else if (!argument.isNull()) {
            options.paths << argument;
        }
    }

    switch (options.command) {
    case Command::Help:
        if (options.paths.size() > 1)
            throw UsageError(QStringLiteral("help takes one command name"));
        options.helpTopic = options.paths.value(0);
        if (!options.helpTopic.isEmpty() && !CommandNamed(options.helpTopic))
            throw UsageError(QStringLiteral("\"%1\" is no command").arg(options.helpTopic));
        options.paths.clear();
        return options;
    case Command::Copy: {
        const QString direction = options.paths.isEmpty() ? QString() : options.paths.takeFirst();
        if (direction != u"v1-to-v2" && direction != u"v2-to-v1")
            throw UsageError(QStringLiteral("copy needs v1-to-v2 or v2-to-v1 first"));
        options.v1ToV2 = direction == u"v1-to-v2";
        break;
    }
    case Command::Undo:
        if (options.paths.size() > 1)
            throw UsageError(QStringLiteral("undo takes one command name at most"));
        if (!options.paths.isEmpty()) {
            const std::optional<QString> journal = JournalCommandNamed(options.paths.front());
            if (!journal)
                throw UsageError(
                    QStringLiteral(
                        "undo takes organize, rename, from-names, set, remove, picture, convert, "
                        "sync or fix-encoding, not \"%1\"")
                        .arg(options.paths.front()));
            options.undoCommand = *journal;
        }
        options.paths.clear();
        return options;
    case Command::Organize:
    case Command::Rename:
    case Command::FromNames:
        CheckPattern(options);
        if (options.command == Command::Organize && !options.paths.isEmpty())
            CheckDestination(options);
        break;
    case Command::Picture: {
        const QString action = options.paths.isEmpty() ? QString() : options.paths.takeFirst();
        if (action != u"export" && action != u"import" && action != u"remove")
            throw UsageError(QStringLiteral("picture needs export, import or remove first"));
        options.pictureAction = action == u"export"   ? PictureAction::Export
                                : action == u"import" ? PictureAction::Import
                                                      : PictureAction::Remove;
        // An imported picture becomes the front cover, in place of the one there was.
        if (options.pictureAction == PictureAction::Import)
            options.pictureType = 3;
        if (options.pictureAction != PictureAction::Remove) {
            if (options.paths.size() < 2)
                throw UsageError(options.pictureAction == PictureAction::Export
                                     ? QStringLiteral("picture export needs FILE.mp3 PICTURE")
                                     : QStringLiteral("picture import needs PICTURE FILE.mp3..."));
            options.pictureFile = options.pictureAction == PictureAction::Export
                                      ? options.paths.takeLast()
                                      : options.paths.takeFirst();
            if (options.pictureAction == PictureAction::Export && options.paths.size() != 1)
                throw UsageError(QStringLiteral("picture export takes one FILE.mp3"));
        }
        break;
    }
    case Command::Convert:
        if (options.convertTo == 0)
            throw UsageError(QStringLiteral("convert needs --to 2.3 or --to 2.4"));
        break;
    case Command::Remove:
        // Taking tags off is never a default: the tags go only when named.
        if (!options.tagsNamed)
            throw UsageError(QStringLiteral("remove needs --v1, --v2 or --both"));
        break;
    case Command::Set:
        if (options.changes.empty())
            throw UsageError(QStringLiteral("set needs at least one field to change"));
        std::sort(options.changes.begin(), options.changes.end(),
                  [](const FieldChange& a, const FieldChange& b) { return a.field < b.field; });
        break;
    default:
        break;
    }
    if (options.paths.isEmpty())
        throw UsageError(QStringLiteral("%1 needs at least one %2")
                             .arg(first, options.command == Command::Show ||
                                                 options.command == Command::Set ||
                                                 options.command == Command::Copy ||
                                                 options.command == Command::Remove ||
                                                 options.command == Command::Picture
                                             ? QStringLiteral("file")
                                             : QStringLiteral("file or folder")));
    return options;
}

} // namespace cli
