#include "KeptRegions.h"

#include "journal/JournalFile.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QJsonArray>
#include <array>
#include <cstdint>

namespace tagjobs {
namespace {

const QString kPieceKind = QStringLiteral("tag-piece");
const QString kId = QStringLiteral("id");
const QString kData = QStringLiteral("data");
const QString kDeflated = QStringLiteral("deflated");
const QString kId3v2 = QStringLiteral("id3v2");
const QString kId3v1 = QStringLiteral("id3v1");

// Pieces of 2 to 64 KiB, 8 KiB on average: a cut falls where the rolling hash of the last 64 bytes
// has its top 13 bits clear, so the same picture is cut the same way wherever it starts.
constexpr qsizetype kMinPiece = 2 * 1024;
constexpr qsizetype kMaxPiece = 64 * 1024;
constexpr int kCutBits = 13;

constexpr std::array<uint64_t, 256> kGear = [] {
    std::array<uint64_t, 256> table{};
    uint64_t state = 0x4B6976756E61ULL;
    for (uint64_t& value : table) {
        state += 0x9E3779B97F4A7C15ULL;
        uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        value = z ^ (z >> 31);
    }
    return table;
}();

std::vector<QByteArrayView> Pieces(const QByteArray& region) {
    std::vector<QByteArrayView> pieces;
    qsizetype start = 0;
    uint64_t hash = 0;
    for (qsizetype i = 0; i < region.size(); ++i) {
        hash = (hash << 1) + kGear[uint8_t(region[i])];
        const qsizetype length = i + 1 - start;
        if ((length >= kMinPiece && (hash >> (64 - kCutBits)) == 0) || length >= kMaxPiece) {
            pieces.emplace_back(region.constData() + start, length);
            start = i + 1;
            hash = 0;
        }
    }
    if (start < region.size())
        pieces.emplace_back(region.constData() + start, region.size() - start);
    return pieces;
}

QByteArray Digest(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

} // namespace

QJsonObject RegionWriter::Keep(const tagaccess::TagRegions& regions,
                               std::vector<QJsonObject>& pieces) {
    QJsonArray ids;
    for (const QByteArrayView piece : Pieces(regions.id3v2)) {
        const QByteArray id = Digest(piece);
        ids.append(QString::fromLatin1(id));
        if (!kept_.insert(id).second)
            continue;
        // Padding and texts shrink to a fraction; a picture does not, and is kept as it is.
        const QByteArray deflated = qCompress(piece.toByteArray(), 6);
        const bool pays = deflated.size() < piece.size() - piece.size() / 8;
        const QByteArray data = pays ? deflated : piece.toByteArray();
        pieces.push_back({{journal::kKindKey, kPieceKind},
                          {kId, QString::fromLatin1(id)},
                          {kData, QString::fromLatin1(data.toBase64())},
                          {kDeflated, pays}});
    }
    return {{kId3v2, ids}, {kId3v1, QString::fromLatin1(regions.id3v1.toBase64())}};
}

RegionReader::RegionReader(const std::vector<QJsonObject>& records) {
    for (const QJsonObject& record : records) {
        if (record.value(journal::kKindKey).toString() == kPieceKind)
            pieces_.emplace(record.value(kId).toString(), record);
    }
}

std::optional<tagaccess::TagRegions> RegionReader::Regions(const QJsonValue& value) const {
    const QJsonObject names = value.toObject();
    if (!names.value(kId3v2).isArray() || !names.value(kId3v1).isString())
        return std::nullopt;
    tagaccess::TagRegions regions;
    for (const QJsonValue id : names.value(kId3v2).toArray()) {
        const auto found = pieces_.find(id.toString());
        if (found == pieces_.end())
            return std::nullopt;
        QByteArray data = QByteArray::fromBase64(found->second.value(kData).toString().toLatin1());
        if (found->second.value(kDeflated).toBool())
            data = qUncompress(data);
        if (Digest(data) != id.toString().toLatin1())
            return std::nullopt;
        regions.id3v2 += data;
    }
    regions.id3v1 = QByteArray::fromBase64(names.value(kId3v1).toString().toLatin1());
    return regions;
}

QString RegionsDigest(const tagaccess::TagRegions& regions) {
    return QString::fromLatin1(Digest(regions.id3v2 + regions.id3v1));
}

} // namespace tagjobs
