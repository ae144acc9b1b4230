#pragma once

#include "journal/JournalWriter.h"
#include "naming/NameFields.h"
#include "naming/NamePattern.h"
#include "tagaccess/ID3.h"

#include <QJsonObject>
#include <QString>

// One file of "tags from file names": the fields read from its name written into its tags, with
// the old texts kept in the journal first; and the undo of one such record.
namespace batch {

// The journal command of tags from file names.
inline const QString kTagsFromNamesCommand = QStringLiteral("tags-from-names");

// Which tags a run writes.
struct TagVersions {
    bool v1 = true;
    bool v2 = true;
};

// The tag's texts with the fields the pattern names replaced by those read from the name.
tagaccess::TagFields WithNamedFields(tagaccess::TagFields tag, const naming::NameFields& read,
                                     const naming::NamePattern& pattern);

enum class TagsWrite { Written, JournalFailed, WriteFailed };

// Reads the chosen tags, writes their texts to the journal, then writes them with the named
// fields replaced. Nothing is written when the journal record is not on disk. `showErrors` as the
// tag access takes it.
TagsWrite WriteTagsFromName(tagaccess::ID3& id3, journal::JournalWriter& journal,
                            const QString& path, const naming::NameFields& read,
                            const naming::NamePattern& pattern, TagVersions versions,
                            bool showErrors);

// The file a record of such a journal names; empty for a record of another kind.
QString TagsRecordPath(const QJsonObject& record);

// Writes back the old texts a record kept. Answers whether every tag was written.
bool UndoTagsFromName(tagaccess::ID3& id3, const QJsonObject& record, bool showErrors);

} // namespace batch
