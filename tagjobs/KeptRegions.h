#pragma once

#include "tagaccess/FileFacts.h"

#include <QJsonObject>
#include <map>
#include <optional>
#include <set>
#include <vector>

// How a run keeps files' tag regions in its journal. A region is cut into pieces at places its
// content chooses, so a picture that an album's files share is kept once however their texts
// differ; each piece is kept once per journal, deflated where that pays, under its digest.
//
// A piece: {"kind":"tag-piece","id":<SHA-1 hex>,"data":<base64>,"deflated":true|false}. A file's
// regions, inside its record: {"id3v2":[piece ids],"id3v1":<base64 of the record>}.
namespace tagjobs {

class RegionWriter {
  public:
    // The value that names the regions in a file's record; the pieces this journal does not hold
    // yet go to `pieces`, to be written before that record.
    QJsonObject Keep(const tagaccess::TagRegions& regions, std::vector<QJsonObject>& pieces);

  private:
    std::set<QByteArray> kept_;
};

class RegionReader {
  public:
    // Gathers the pieces among a journal's records.
    explicit RegionReader(const std::vector<QJsonObject>& records);
    // The regions a record's value names; nothing when a piece is missing or does not match its
    // digest.
    std::optional<tagaccess::TagRegions> Regions(const QJsonValue& value) const;

  private:
    std::map<QString, QJsonObject> pieces_;
};

// A digest of both regions, to tell later whether a file's tags are still the ones a run left.
QString RegionsDigest(const tagaccess::TagRegions& regions);

} // namespace tagjobs
