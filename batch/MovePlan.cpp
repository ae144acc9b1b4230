#include "MovePlan.h"

#include "FileMove.h"
#include "naming/PathFromFields.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace batch {

naming::NameFields FieldsOfTag(const std::vector<QString>& tag) {
    naming::NameFields fields;
    for (size_t k = 0; k < size_t(naming::kTagFieldCount) && k < tag.size(); ++k)
        fields[k] = tag[k];
    return fields;
}

std::vector<PlannedMove> PlanMoves(const std::vector<MoveSource>& sources,
                                   const naming::NamePattern& pattern, const QString& destination,
                                   naming::NameRules rules) {
    // A rename stays in each file's folder: those are probed one by one below.
    return PlanMoves(sources, pattern, destination, rules,
                     destination.isEmpty() ? NameFolding() : ProbeNameFolding(destination));
}

std::vector<PlannedMove> PlanMoves(const std::vector<MoveSource>& sources,
                                   const naming::NamePattern& pattern, const QString& destination,
                                   naming::NameRules rules, const NameFolding& folding) {
    QHash<QString, NameFolding> folders;
    const auto keyOf = [&](const PlannedMove& move) {
        if (!destination.isEmpty())
            return folding.Key(move.to);
        const QString folder = QFileInfo(move.from).path();
        auto found = folders.constFind(folder);
        if (found == folders.constEnd())
            found = folders.insert(folder, ProbeNameFolding(folder));
        return found->Key(move.to);
    };
    std::vector<PlannedMove> plan;
    plan.reserve(sources.size());
    QHash<QString, int> users;
    for (const MoveSource& source : sources) {
        const QFileInfo file(source.path);
        naming::NameFields fields = source.fields;
        At(fields, naming::Field::FileName) = file.completeBaseName();
        const QString suffix = file.suffix();
        const auto name = naming::PathFromFields(
            pattern, fields, suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix, rules);
        const QDir root(destination.isEmpty() ? file.path() : destination);
        PlannedMove move{source.path, QDir::cleanPath(root.filePath(name.path)),
                         name.incomplete ? MoveState::Incomplete : MoveState::WillMove};
        if (move.to == move.from) {
            move.state = MoveState::Unchanged;
        } else {
            // A target that is the file itself under another case (on a file system that ignores
            // case) is a rename, not a clash.
            const QFileInfo target(move.to);
            if ((target.exists() || target.isSymLink()) && !SameFile(move.to, move.from))
                move.state = MoveState::Conflict;
        }
        ++users[keyOf(move)];
        plan.push_back(std::move(move));
    }
    for (PlannedMove& move : plan) {
        if (users.value(keyOf(move)) > 1)
            move.state = MoveState::Conflict;
    }
    return plan;
}

QString StateText(MoveState state) {
    switch (state) {
    case MoveState::WillMove:
        return QStringLiteral("will move");
    case MoveState::Unchanged:
        return QStringLiteral("unchanged");
    case MoveState::Conflict:
        return QStringLiteral("conflict");
    case MoveState::Incomplete:
        return QStringLiteral("incomplete");
    }
    return {};
}

} // namespace batch
