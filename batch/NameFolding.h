#pragma once

#include <QString>

namespace batch {

// How a file system compares names: whether "a" and "A", or the composed and decomposed forms of
// "é", name one file there (FAT, exFAT, shares, macOS volumes). Two targets that differ only so
// are one file on such a destination.
struct NameFolding {
    bool ignoresCase = false;
    bool ignoresNormalization = false;

    // The key under which the file system sees the path.
    QString Key(const QString& path) const;
};

// Probes the file system of `folder` (or of its nearest existing parent) once, with a file of
// its own that it removes again; a folder that cannot be written is taken to compare names
// exactly.
NameFolding ProbeNameFolding(const QString& folder);

} // namespace batch
