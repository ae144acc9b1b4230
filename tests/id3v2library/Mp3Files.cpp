#include "Mp3Files.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include "TestSupport.h"

namespace tagtest {
namespace {

void Put(QByteArray& record, int offset, int width, const QByteArray& bytes) {
    const QByteArray cut = bytes.left(width);
    record.replace(offset, cut.size(), cut);
}

QByteArray BigEndian(uint32_t value, bool synchsafe) {
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i) {
        bytes[i] = static_cast<char>(synchsafe ? (value & 0x7F) : (value & 0xFF));
        value >>= synchsafe ? 7 : 8;
    }
    return bytes;
}

QString ToolScript() {
    return QString::fromUtf8(
        testsupport::ReadFile(testsupport::SourceDir() + "/tests/id3v2library/tag_tool.py"));
}

} // namespace

QByteArray Id3v1Bytes(const Id3v1Fields& fields) {
    QByteArray record(128, '\0');
    Put(record, 0, 3, "TAG");
    Put(record, 3, 30, fields.title);
    Put(record, 33, 30, fields.artist);
    Put(record, 63, 30, fields.album);
    Put(record, 93, 4, fields.year);
    Put(record, 97, fields.track != 0 ? 28 : 30, fields.comment);
    if (fields.track != 0)
        record[126] = static_cast<char>(fields.track);
    record[127] = static_cast<char>(fields.genre);
    return record;
}

QByteArray Id3v2Frame(int version, const QByteArray& id, const QByteArray& payload) {
    return id + BigEndian(static_cast<uint32_t>(payload.size()), version == 4) +
           QByteArray(2, '\0') + payload;
}

QByteArray Latin1Text(const QByteArray& text) {
    return QByteArray(1, '\0') + text;
}

QByteArray Id3v2Tag(int version, uint8_t flags, const QByteArray& body) {
    QByteArray header("ID3");
    header += static_cast<char>(version);
    header += '\0';
    header += static_cast<char>(flags);
    return header + BigEndian(static_cast<uint32_t>(body.size()), true) + body;
}

QByteArray Audio() {
    return testsupport::SilentAudio(24);
}

QString AudioSha256() {
    return QString::fromLatin1(
        QCryptographicHash::hash(Audio(), QCryptographicHash::Sha256).toHex());
}

void WriteMp3(const QString& path, const QByteArray& front, const QByteArray& tail) {
    testsupport::WriteFile(path, front + Audio() + tail);
}

void WriteWithMutagen(const QString& path, int version, const QString& frames) {
    testsupport::RunPython(ToolScript(), {"write", path, QString::number(version), frames});
}

QJsonObject Dump(const QString& path) {
    const QByteArray json = testsupport::RunPython(ToolScript(), {"dump", path});
    return QJsonDocument::fromJson(json).object();
}

QJsonArray Frames(const QJsonObject& dump, const QString& id) {
    QJsonArray frames;
    for (const auto& frame : dump["v2"].toObject()["frames"].toArray()) {
        if (frame.toObject()["id"].toString() == id)
            frames.append(frame);
    }
    return frames;
}

QString FrameText(const QJsonObject& dump, const QString& id) {
    const QJsonArray frames = Frames(dump, id);
    if (frames.isEmpty())
        return {};
    return frames.first().toObject()["text"].toArray().first().toString();
}

int64_t ModificationTime(const QString& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.toUtf8().constData(), &st), 0);
    return int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
}

void AgeFile(const QString& path) {
    struct stat st {};
    ASSERT_EQ(stat(path.toUtf8().constData(), &st), 0);
    const struct timeval times[2] = {{st.st_atim.tv_sec - 3600, 0}, {st.st_mtim.tv_sec - 3600, 0}};
    ASSERT_EQ(utimes(path.toUtf8().constData(), times), 0);
}

} // namespace tagtest
