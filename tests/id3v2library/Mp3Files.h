#pragma once

// Real MP3 files for the tag library's tests: silent audio with tags made byte by byte or by
// mutagen, and mutagen's view of a file afterwards.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <cstdint>

namespace tagtest {

struct Id3v1Fields {
    QByteArray title, artist, album, year, comment;
    uint8_t track = 0;
    uint8_t genre = 255;
};

// The 128-byte record holding the fields' bytes as given (cut to their widths).
QByteArray Id3v1Bytes(const Id3v1Fields& fields);

// One ID3v2.3 (plain size) or v2.4 (synchsafe size) frame with no flags.
QByteArray Id3v2Frame(int version, const QByteArray& id, const QByteArray& payload);
// A Latin-1 text frame's payload.
QByteArray Latin1Text(const QByteArray& text);
// Header (flags as given) and body, padding included.
QByteArray Id3v2Tag(int version, uint8_t flags, const QByteArray& body);

// The audio every test file carries, and its SHA-256 in hex.
QByteArray Audio();
QString AudioSha256();

// Writes front + Audio() + tail to `path`.
void WriteMp3(const QString& path, const QByteArray& front = {}, const QByteArray& tail = {});

// Adds an ID3v2 tag written by mutagen (version 3 or 4). `frames` is a JSON list:
// ["TIT2", text, encoding], ["COMM", desc, lang, text, encoding], ["TXXX", desc, text],
// ["APIC", mime, type, desc, hex bytes].
void WriteWithMutagen(const QString& path, int version, const QString& frames);

// mutagen's view: {"v2": null | {"version": [...], "frames": [...]}, "v1": null | {...},
// "audio": {"length", "sha256"}}.
QJsonObject Dump(const QString& path);
// The v2 frames with that ID, in tag order.
QJsonArray Frames(const QJsonObject& dump, const QString& id);
// The first text of the first frame with that ID, or a null string.
QString FrameText(const QJsonObject& dump, const QString& id);

// Seconds and nanoseconds of the file's modification time, for "nothing was written".
int64_t ModificationTime(const QString& path);
// Moves the modification time an hour back, so a write is seen even within one clock tick.
void AgeFile(const QString& path);

} // namespace tagtest
