#pragma once

#include "JournalFile.h"

#include <QJsonObject>
#include <QString>
#include <vector>

namespace journal {

// Writes the journal of one run of a batch command. Each record is on disk before Append returns,
// so the caller makes its change only after Append answered true, and a run killed at any moment
// leaves a journal that names every change it may have made. The file is locked while the writer
// lives, so a run of another instance of the program is never taken for one that died.
class JournalWriter {
  public:
    // Opens a new journal for the command in the folder (made when missing), its first line
    // holding the members of `header` too. Check IsOpen.
    explicit JournalWriter(const QString& command, const QString& folder = DefaultJournalFolder(),
                           QJsonObject header = {});
    // Ends the run when End was not called.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // Why the journal could not be opened or a record not written.
    const QString& ErrorText() const { return error_; }
    const QString& Path() const { return path_; }
    int RecordCount() const { return records_; }

    // Writes the record (it must have a "kind") and waits until it is on disk.
    bool Append(const QJsonObject& record);
    // Writes the records of several changes to come with one wait for the disk: for runs of many
    // small changes. A record whose change then never happens is passed over by its undo.
    bool AppendAll(const std::vector<QJsonObject>& records);
    // Closes the run. A journal that holds no record is removed: there is nothing to undo.
    void End();
    // Closes the run and removes its journal: none of its changes was made.
    void Discard();

  private:
    void Fail(const QString& what);

    QString path_;
    QString error_;
    int fd_ = -1;
    int records_ = 0;
};

} // namespace journal
