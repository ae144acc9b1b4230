#include "KeptRegions.h"

#include "journal/JournalFile.h"
#include "journal/JournalReader.h"

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <array>
#include <cmath>
#include <cstdint>
#include <zlib.h>

namespace tagjobs {

const QString kPieceKind = QStringLiteral("tag-piece");

namespace {

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

// Deflate is tried on what it can shrink: padding and texts, not a picture's bytes, whose
// distribution is near even (over 7 bits of entropy a byte).
bool MayDeflate(QByteArrayView bytes) {
    std::array<qsizetype, 256> counts{};
    for (const char byte : bytes)
        ++counts[uint8_t(byte)];
    double bits = 0;
    for (const qsizetype count : counts)
        if (count != 0) {
            const double p = double(count) / double(bytes.size());
            bits -= p * std::log2(p);
        }
    return bits < 7.0;
}

// qCompress's form (the length, big-endian, then a zlib stream), which qUncompress reads back. A
// piece of a tag is small, and zlib's defaults set up 256 KiB for every stream, more work than the
// compression itself: the window and the hash are sized to the piece instead.
QByteArray Deflate(QByteArrayView bytes) {
    int windowBits = 9;
    while (windowBits < 15 && (qsizetype(1) << windowBits) < bytes.size())
        ++windowBits;
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, windowBits, windowBits - 7,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    const auto size = uLong(bytes.size());
    QByteArray out(qsizetype(4 + deflateBound(&stream, size)), Qt::Uninitialized);
    for (int i = 0; i < 4; ++i)
        out[i] = char(size >> (24 - 8 * i));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = uInt(size);
    stream.next_out = reinterpret_cast<Bytef*>(out.data() + 4);
    stream.avail_out = uInt(out.size() - 4);
    const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    out.truncate(qsizetype(4 + stream.total_out));
    deflateEnd(&stream);
    return done ? out : QByteArray();
}

QByteArray Digest(QByteArrayView bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

// The text of a string member of a line as written (no escapes: digests and base64 need none);
// empty when the line has no such member.
QByteArrayView StringMember(QByteArrayView line, QByteArrayView key) {
    const QByteArray opening = '"' + key.toByteArray() + "\":\"";
    const qsizetype start = line.indexOf(opening);
    if (start < 0)
        return {};
    const qsizetype from = start + opening.size();
    const qsizetype end = line.indexOf('"', from);
    return end < 0 ? QByteArrayView() : line.sliced(from, end - from);
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
        const QByteArray deflated = MayDeflate(piece) ? Deflate(piece) : QByteArray();
        const bool pays = !deflated.isEmpty() && deflated.size() < piece.size() - piece.size() / 8;
        const QByteArray data = pays ? deflated : piece.toByteArray();
        pieces.push_back({{journal::kKindKey, kPieceKind},
                          {kId, QString::fromLatin1(id)},
                          {kData, QString::fromLatin1(data.toBase64())},
                          {kDeflated, pays}});
    }
    return {{kId3v2, ids}, {kId3v1, QString::fromLatin1(regions.id3v1.toBase64())}};
}

RegionReader::RegionReader(const QString& journalPath) : path_(journalPath) {
    journal::ForEachLine(journalPath, [&](QByteArrayView line, qint64 offset) {
        if (!journal::IsRecordOfKind(line, kPieceKind))
            return;
        const QByteArrayView id = StringMember(line, kId.toLatin1());
        const QByteArrayView data = StringMember(line, kData.toLatin1());
        if (!id.isEmpty())
            pieces_[id.toByteArray()] = {offset + (data.data() - line.data()), data.size(),
                                         line.contains("\"deflated\":true")};
    });
}

std::optional<tagaccess::TagRegions> RegionReader::Regions(const QJsonValue& value) const {
    const QJsonObject names = value.toObject();
    if (!names.value(kId3v2).isArray() || !names.value(kId3v1).isString())
        return std::nullopt;
    QFile journal(path_);
    if (!journal.open(QIODevice::ReadOnly))
        return std::nullopt;
    tagaccess::TagRegions regions;
    for (const QJsonValue name : names.value(kId3v2).toArray()) {
        const QByteArray id = name.toString().toLatin1();
        const auto found = pieces_.find(id);
        if (found == pieces_.end())
            return std::nullopt;
        const Piece& piece = found->second;
        if (!journal.seek(piece.offset))
            return std::nullopt;
        QByteArray data = QByteArray::fromBase64(journal.read(piece.size));
        if (piece.deflated)
            data = qUncompress(data);
        if (Digest(data) != id)
            return std::nullopt;
        regions.id3v2 += data;
    }
    regions.id3v1 = QByteArray::fromBase64(names.value(kId3v1).toString().toLatin1());
    return regions;
}

QString RegionsDigest(const tagaccess::TagRegions& regions) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(regions.id3v2);
    hash.addData(regions.id3v1);
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace tagjobs
