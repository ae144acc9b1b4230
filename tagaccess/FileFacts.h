#pragma once

#include <QByteArray>
#include <QString>

// What the tag library tells of a file beyond its tag texts: a picture of its ID3v2 tag, its audio
// properties and tag places, and its tags as raw bytes.
namespace tagaccess {

// APIC picture type of the front cover.
inline constexpr int kFrontCover = 3;

// The largest picture file the tag library attaches.
inline constexpr qint64 kLargestPicture = 16 * 1024 * 1024;

struct TagPicture {
    int type = -1;
    QString mimeType;
    QByteArray data;
};

struct AudioFacts {
    int lengthMs = 0;
    int bitrate = 0; // kbit/s, the average when vbr
    int sampleRate = 0;
    int channels = 0;
    bool vbr = false;    // the file has a Xing/Info or VBRI header
    int mpegVersion = 0; // 10, 20 or 25
    int layer = 0;
    int channelMode = 0;  // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
    int id3v2Version = 0; // 0: no ID3v2 tag at the front
    int id3v2Size = 0;
    int id3v2Padding = 0;
    bool id3v1 = false;
};

// A file's two tags byte for byte: the ID3v2 tag at its front and the ID3v1 record at its end,
// each empty when the file lacks it.
struct TagRegions {
    QByteArray id3v2;
    QByteArray id3v1;

    bool operator==(const TagRegions&) const = default;
};

} // namespace tagaccess
