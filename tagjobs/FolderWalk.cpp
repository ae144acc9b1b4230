#include "FolderWalk.h"

#include "platform/AnsiText.h"
#include "platform/FindFiles.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace tagjobs {

using platform::FromAnsi;
using platform::MatchesMask;
using platform::ToAnsi;
using platform::TSearchRec;

QString LimitMessage(int32_t limit) {
    return QStringLiteral("The number of found files exceeds the limit for this program (") +
           QString::number(limit) +
           QStringLiteral(").\r\nThe list will be truncated from the bottom.");
}

FolderWalk::FolderWalk(FoundFileList& list, AfterEntry afterEntry)
    : list_(&list), afterEntry_(std::move(afterEntry)) {}

FolderWalk::FolderWalk(FileFound fileFound, AfterEntry afterEntry)
    : fileFound_(std::move(fileFound)), afterEntry_(std::move(afterEntry)) {}

bool FolderWalk::Found(FoundFile file, uint32_t attributes, int32_t limit) {
    if (list_ == nullptr)
        return fileFound_(file, attributes);
    if (list_->size() >= size_t(std::max(limit, 0))) {
        platform::ShowMessage(LimitMessage(limit));
        return false;
    }
    list_->push_back(std::move(file));
    return true;
}

void FolderWalk::StayWithin(const QByteArray& root) {
    char real[PATH_MAX];
    within_ = ::realpath(root.constData(), real) != nullptr ? QByteArray(real) : root;
    if (!within_.endsWith('/'))
        within_ += '/';
}

bool FolderWalk::LeavesTree(const QByteArray& folder) const {
    char real[PATH_MAX];
    return ::realpath(folder.constData(), real) == nullptr ||
           !(QByteArray(real) + '/').startsWith(within_);
}

bool FolderWalk::Enter(const QByteArray& folder) {
    struct stat info {};
    if (stat(folder.constData(), &info) != 0)
        return true; // cannot be enumerated either; FindFirst reports that
    const std::pair<dev_t, ino_t> identity{info.st_dev, info.st_ino};
    if (std::find(path_.begin(), path_.end(), identity) != path_.end())
        return false;
    path_.push_back(identity);
    return true;
}

void FolderWalk::FindFiles(const QByteArray& Folder, const QByteArray& Pattern, uint32_t Attributes,
                           uint8_t Enabled, int32_t Limit) {
    if (Enabled == 0 || ended_)
        return;
    const size_t depth = path_.size();
    if (!Enter(Folder))
        return;
    // Every file of this folder shares one copy of its path text.
    const QString folderText = FromAnsi(Folder.constData());
    const QString lower = FromAnsi(Pattern.toLower().constData());
    const QString upper = FromAnsi(Pattern.toUpper().constData());
    TSearchRec record;
    const int first = platform::FindFirst(Folder + "*.*", Attributes, record);
    // A folder gone before it was entered had nothing to find.
    if (first != 0 && first != platform::kNoMoreFiles && first != ENOENT)
        unread_.emplace_back(folderText, QString::fromLocal8Bit(std::strerror(first)));
    if (first == 0) {
        do {
            if ((record.Attr & platform::faDirectory) != 0) {
                const QByteArray folder = Folder + ToAnsi(record.Name) + '/';
                const bool outside = !within_.isEmpty() &&
                                     (record.Attr & platform::faSymLink) != 0 && LeavesTree(folder);
                if (record.Name != u"." && record.Name != u".." && !outside)
                    FindFiles(folder, Pattern, Attributes, Enabled, Limit);
            } else if ((record.Attr & Attributes) == record.Attr &&
                       (MatchesMask(record.Name, lower) || MatchesMask(record.Name, upper))) {
                if (!Found({record.Name, folderText}, record.Attr, Limit))
                    ended_ = true;
            }
            if (!ended_ && !afterEntry_())
                ended_ = true;
        } while (!ended_ && platform::FindNext(record) == 0);
        platform::FindClose(record);
    }
    path_.resize(depth);
}

} // namespace tagjobs
