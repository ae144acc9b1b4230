#include "UndoTarget.h"

#include <QLocale>

namespace batch {

QString UndoTarget::Describe() const {
    const QString when = QLocale().toString(journal.started.toLocalTime(), QLocale::ShortFormat);
    if (unfinished)
        return QStringLiteral("A run started %1 did not end (%2 file(s)): undo it before going on.")
            .arg(when)
            .arg(journal.records);
    return QStringLiteral("Last run: %1, %2 file(s).").arg(when).arg(journal.records);
}

std::optional<UndoTarget> FindUndoTarget(const QStringList& commands) {
    const std::vector<journal::JournalInfo> left = journal::UnfinishedJournals(commands);
    if (!left.empty())
        return UndoTarget{left.back(), true};
    if (auto last = journal::LastFinishedJournal(commands))
        return UndoTarget{std::move(*last), false};
    return std::nullopt;
}

} // namespace batch
