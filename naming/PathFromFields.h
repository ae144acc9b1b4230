#pragma once

#include "NameFields.h"
#include "NamePattern.h"
#include "SafeName.h"

#include <QString>

namespace naming {

struct PathFromFieldsResult {
    // Relative to the destination: folders joined by "/", then the file name with the extension.
    QString path;
    // A field the pattern names was empty and stands as "Unknown Artist", "Untitled"...
    bool incomplete = false;
};

// The relative path the pattern gives a file with these fields; every level is a safe name (the
// extension, such as ".mp3", is added to the last level).
PathFromFieldsResult PathFromFields(const NamePattern& pattern, const NameFields& fields,
                                    const QString& extension,
                                    NameRules rules = NameRules::Portable);

// The track number of a track text ("7", "07", "7/12"), padded with zeros to the width; the empty
// text for a track of 0 or none. A text that does not start with a number stays as it is.
QString TrackText(const QString& track, int width);

} // namespace naming
