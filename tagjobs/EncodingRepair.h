#pragma once

#include "FileTagChange.h"
#include "TagsRun.h"

#include <QByteArray>
#include <vector>

// The repair of tag texts that other programs garbled: Cyrillic or accented names whose bytes
// were read in the wrong code page, given back readable.
namespace tagjobs {

// The fields of the chosen tags to repair: ID3v2 texts that read garbled, and ID3v1 texts that
// read garbled or whose bytes are in a code page other programs do not read (KOI8-R, DOS 866,
// UTF-8), which are stored again as Windows-1251 or Latin-1. `id3v1Record` is the file's 128-byte
// ID3v1 record as stored (empty without one).
std::vector<FieldRepair> FindRepairs(const FileTagsBefore& tags, const QByteArray& id3v1Record,
                                     ChosenTags versions);

// The repair of one file: both tags and their bytes read in one load, then only the repaired
// fields written, every other frame and byte as it was. A file with nothing to repair is not
// touched.
FilePlan PlanRepair(tagaccess::ID3& id3, const QString& path, ChosenTags versions);
FilePlanner RepairPlanner(ChosenTags versions);

// A repair for the user: "ID3v2 Title: "Ãðóïïà" -> "Группа" (Windows-1251 read as Latin-1)".
QString RepairLine(const FieldRepair& repair);

} // namespace tagjobs
