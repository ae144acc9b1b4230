#pragma once

#include "tagaccess/FileFacts.h"

#include <QJsonObject>
#include <QString>
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

// The kind of the pieces' records, which other readers of the journal pass over unread.
extern const QString kPieceKind;

class RegionReader {
  public:
    // Finds the pieces in the journal. Their lines are not parsed as a whole (a journal of covers
    // runs to hundreds of megabytes): a piece is found by its digest and used only when its bytes
    // give that digest.
    explicit RegionReader(const QString& journalPath);
    // The regions a record's value names; nothing when a piece is missing or does not match its
    // digest.
    std::optional<tagaccess::TagRegions> Regions(const QJsonValue& value) const;

  private:
    // Where a piece's base64 text lies in the journal.
    struct Piece {
        qint64 offset = 0;
        qint64 size = 0;
        bool deflated = false;
    };
    QString path_;
    std::map<QByteArray, Piece> pieces_;
};

// A digest of both regions, to tell later whether a file's tags are still the ones a run left.
QString RegionsDigest(const tagaccess::TagRegions& regions);

} // namespace tagjobs
