#include "AudioFactsText.h"

#include <QFileInfo>
#include <QStringList>

namespace editor {
namespace {

const QString kEmptyBrackets = QStringLiteral("[          ]");

QString Bracketed(const QString& text) {
    return QLatin1Char('[') + text + QLatin1Char(']');
}

QString Length(int ms) {
    const int seconds = (ms + 500) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString Bitrate(const tagaccess::AudioFacts& facts) {
    const QString rate = QStringLiteral("%1 kbps").arg(facts.bitrate);
    return facts.vbr ? QStringLiteral("VBR ") + rate : rate;
}

QString MpegVersion(int timesTen) {
    return timesTen == 25 ? QStringLiteral("2.5") : QString::number(timesTen / 10);
}

QString ChannelMode(int mode) {
    switch (mode) {
    case 0:
        return QStringLiteral("Stereo");
    case 1:
        return QStringLiteral("Joint stereo");
    case 2:
        return QStringLiteral("Dual channel");
    default:
        return QStringLiteral("Mono");
    }
}

} // namespace

QString PlayLengthText(const std::optional<tagaccess::AudioFacts>& facts) {
    return facts ? Bracketed(Length(facts->lengthMs)) : kEmptyBrackets;
}

QString BitrateText(const std::optional<tagaccess::AudioFacts>& facts) {
    return facts ? Bracketed(Bitrate(*facts)) : kEmptyBrackets;
}

QString SampleRateText(const std::optional<tagaccess::AudioFacts>& facts) {
    return facts ? Bracketed(QStringLiteral("%1 Hz").arg(facts->sampleRate)) : kEmptyBrackets;
}

QString TagInfoText(const QString& path, const std::optional<tagaccess::AudioFacts>& facts) {
    QStringList lines{QStringLiteral("File: %1").arg(QFileInfo(path).fileName())};
    if (!facts) {
        lines << QStringLiteral("Not an MPEG audio file.");
        return lines.join(QLatin1Char('\n'));
    }
    lines << QStringLiteral("Play length: %1").arg(Length(facts->lengthMs))
          << QStringLiteral("Bitrate: %1").arg(Bitrate(*facts))
          << QStringLiteral("Sample rate: %1 Hz").arg(facts->sampleRate)
          << QStringLiteral("MPEG version: %1, Layer %2")
                 .arg(MpegVersion(facts->mpegVersion))
                 .arg(facts->layer)
          << QStringLiteral("Channel mode: %1").arg(ChannelMode(facts->channelMode));
    if (facts->id3v2Version > 0)
        lines << QStringLiteral("ID3v2 tag: version 2.%1, %2 bytes, %3 bytes of padding")
                     .arg(facts->id3v2Version)
                     .arg(facts->id3v2Size)
                     .arg(facts->id3v2Padding);
    else
        lines << QStringLiteral("ID3v2 tag: none");
    lines << QStringLiteral("ID3v1 tag: %1")
                 .arg(facts->id3v1 ? QStringLiteral("present") : QStringLiteral("none"));
    return lines.join(QLatin1Char('\n'));
}

} // namespace editor
