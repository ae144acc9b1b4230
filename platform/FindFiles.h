#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <dirent.h>
#include <memory>
#include <sys/types.h>

// Directory enumeration with file attributes: FindFirst, FindNext and FindClose over opendir,
// readdir and lstat, and the file-name pattern test MatchesMask.
namespace platform {

// Attribute bits of an entry.
inline constexpr uint32_t faReadOnly = 0x1; // not writable by the user
inline constexpr uint32_t faHidden = 0x2;   // the name starts with "."
inline constexpr uint32_t faSysFile = 0x4;
inline constexpr uint32_t faVolumeId = 0x8;
inline constexpr uint32_t faDirectory = 0x10; // a folder, or a link to one
inline constexpr uint32_t faArchive = 0x20;   // any other regular file
inline constexpr uint32_t faSymLink = 0x400;  // a symbolic link (the reparse-point bit)
// FIFOs, sockets and device nodes: never inside a search mask, since opening one could block.
inline constexpr uint32_t faSpecial = 0x10000;
inline constexpr uint32_t faAnyFile = 0x1FF;

// One enumeration in progress and the entry it delivered last.
struct TSearchRec {
    QString Name;      // the entry's name as the directory gives it
    uint32_t Attr = 0; // the attribute bits above
    // The identity of what the entry names (for a link, of its target): device and inode.
    dev_t Device = 0;
    ino_t Inode = 0;

    struct CloseDir {
        void operator()(DIR* dir) const noexcept { closedir(dir); }
    };
    std::unique_ptr<DIR, CloseDir> Handle;
    QString NamePattern;      // the wildcard part of the path FindFirst was given
    uint32_t ExcludeMask = 0; // directory, hidden, system and volume bits left out of the mask
};

// Starts enumerating the folder of `path`, whose last part is a name pattern ("*.*" or "*" for
// every entry). Entries whose directory, hidden, system or volume bit lies outside `attributes`
// are passed over. Answers 0 when an entry was delivered into `record`, else a non-zero error.
// What FindFirst and FindNext answer when the folder has no (more) matching entries; any other
// nonzero answer of FindFirst is the system's error number for a folder it could not open.
inline constexpr int kNoMoreFiles = 18;

int FindFirst(const QByteArray& path, uint32_t attributes, TSearchRec& record);
int FindNext(TSearchRec& record);
void FindClose(TSearchRec& record);

// Whether the name matches the pattern: "*" stands for any run of characters, "?" for one;
// letter case is ignored.
bool MatchesMask(const QString& name, const QString& mask);

} // namespace platform
