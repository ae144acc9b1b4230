#include "FileInfo.h"

#include <array>
#include <string>
#include <string_view>
#include <taglib/mpegfile.h>
#include <taglib/mpegproperties.h>
#include <taglib/xingheader.h>
#include <utility>

#include "FileDescriptor.h"
#include "FrameScan.h"
#include "Id3v1Record.h"
#include "Id3v2RawTag.h"
#include "MpegAudio.h"
#include "MpegFile.h"
#include "SharedFile.h"

namespace kivuna::tags {
namespace {

// Ten hours at the highest frame rate: a count of frames stays bounded for any file.
constexpr uint32_t kFramesCounted = 1'500'000;

int32_t VersionTimesTen(TagLib::MPEG::Header::Version version) {
    switch (version) {
    case TagLib::MPEG::Header::Version1:
        return 10;
    case TagLib::MPEG::Header::Version2:
        return 20;
    default:
        return 25;
    }
}

// An encoder writes its frame-count header as "Info" instead of "Xing" when every frame has the
// same bitrate; TagLib reads both alike. The header follows the first frame's side information,
// 13, 21 or 36 bytes into the frame.
bool MarksConstantRate(const FileDescriptor& file, long long firstFrame) {
    if (firstFrame < 0)
        return false;
    char frame[40] = {};
    if (!file.ReadAt(firstFrame, frame, sizeof frame))
        return false;
    for (const int at : {13, 21, 36}) {
        if (std::string_view(frame + at, 4) == "Info")
            return true;
    }
    return false;
}

void ReadTagPlaces(const FileDescriptor& file, FileInfo& info) {
    std::string start(Id3v2Header::kSize, '\0');
    if (file.ReadAt(0, start.data(), start.size())) {
        if (const auto header = ParseId3v2Header(start)) {
            std::string tag(header->completeSize, '\0');
            info.id3v2Version = header->majorVersion;
            info.id3v2Size = static_cast<int32_t>(header->completeSize);
            if (file.ReadAt(0, tag.data(), tag.size()))
                info.id3v2Padding = static_cast<int32_t>(Id3v2PaddingSize(tag));
        }
    }
    std::string tail(Id3v1Record::kSize, '\0');
    Id3v1Record record;
    info.id3v1 =
        file.Size() >= static_cast<off_t>(Id3v1Record::kSize) &&
        file.ReadAt(file.Size() - static_cast<off_t>(tail.size()), tail.data(), tail.size()) &&
        Id3v1Record::Parse(tail, record);
}

// What TagLib takes from the first frame alone, set right from the frames themselves:
// - behind a Xing/Info or VBRI header frame, the channel mode of the audio (an encoder may write
//   the header frame as plain stereo), and for an Info (constant) file the frames' bitrate
//   rather than the header's rounded average;
// - without such a header, a file whose frames differ in bitrate is VBR: its length and average
//   come from counting its frames (TagLib's estimate takes the first frame's bitrate for all).
// A file of one bitrate over its first frames is taken for constant without reading further.
void CorrectFromFrames(const FileDescriptor& file, TagLib::MPEG::File& mpeg,
                       const TagLib::MPEG::Properties& audio, FileInfo& info) {
    constexpr uint32_t kFramesLooked = 256;
    const off_t first = static_cast<off_t>(mpeg.firstFrameOffset());
    const off_t end = file.Size() - (info.id3v1 ? static_cast<off_t>(Id3v1Record::kSize) : 0);
    if (first < 0)
        return;
    const FrameRun start = ScanFrames(file, first, end, kFramesLooked);
    if (audio.xingHeader() != nullptr) {
        if (start.frames >= 2) {
            info.channelMode = start.secondChannelMode;
            if (!info.vbr)
                info.bitrate = static_cast<int32_t>(start.secondBitrate);
        }
        return;
    }
    const bool variable = start.laterBitratesDiffer ||
                          (start.frames >= 2 && start.firstBitrate != start.secondBitrate);
    if (!variable)
        return;
    const FrameRun all = ScanFrames(file, first, end, kFramesCounted);
    info.vbr = 1;
    info.lengthMs = all.LengthMs();
    info.bitrate = all.AverageBitrate();
}

// TagLib knows no free-format frames: their facts come from the frames alone, all counted.
bool ReadFreeFormatFacts(const FileDescriptor& file, off_t first, FileInfo& info) {
    std::array<unsigned char, 4> bytes{};
    const auto header =
        file.ReadAt(first, bytes.data(), bytes.size()) ? ParseFrameHeader(bytes) : std::nullopt;
    if (!header || !header->freeFormat)
        return false;
    const off_t end = file.Size() - (info.id3v1 ? static_cast<off_t>(Id3v1Record::kSize) : 0);
    const FrameRun all = ScanFrames(file, first, end, kFramesCounted);
    info.lengthMs = all.LengthMs();
    info.bitrate = all.AverageBitrate();
    info.sampleRate = static_cast<int32_t>(header->sampleRate);
    info.channels = header->channelMode == 3 ? 1 : 2;
    info.mpegVersion = header->versionTimesTen;
    info.layer = header->layer;
    info.channelMode = header->channelMode;
    return true;
}

} // namespace

std::optional<int32_t> FileInfo::Get(std::string_view name) const {
    const std::pair<std::string_view, int32_t> values[] = {{"length", lengthMs},
                                                           {"bitrate", bitrate},
                                                           {"samplerate", sampleRate},
                                                           {"channels", channels},
                                                           {"vbr", vbr},
                                                           {"mpegversion", mpegVersion},
                                                           {"layer", layer},
                                                           {"channelmode", channelMode},
                                                           {"id3v2version", id3v2Version},
                                                           {"id3v2size", id3v2Size},
                                                           {"id3v2padding", id3v2Padding},
                                                           {"id3v1", id3v1}};
    for (const auto& [key, value] : values) {
        if (key == name)
            return value;
    }
    return std::nullopt;
}

std::optional<FileInfo> ReadFileInfo(const char* name) {
    // Our own check first, as for a load: regular files holding MPEG audio only.
    const FileDescriptor& file = SharedFile(name, false);
    const auto first = file.Valid() ? FirstAudioFrame(file) : std::nullopt;
    if (!first)
        return std::nullopt;
    FileInfo info;
    ReadTagPlaces(file, info);
    if (ReadFreeFormatFacts(file, *first, info))
        return info;
    // TagLib's reading of the first frame and of a Xing/Info or VBRI header behind it; a file
    // without either has its length estimated from its size and first bitrate.
    const auto read = ReadMpegFile(file, true);
    TagLib::MPEG::File& mpeg = *read;
    const TagLib::MPEG::Properties* audio = mpeg.isValid() ? mpeg.audioProperties() : nullptr;
    if (audio == nullptr)
        return info;
    info.lengthMs = audio->lengthInMilliseconds();
    info.bitrate = audio->bitrate();
    info.sampleRate = audio->sampleRate();
    info.channels = audio->channels();
    info.vbr = audio->xingHeader() != nullptr &&
               !MarksConstantRate(file, static_cast<long long>(mpeg.firstFrameOffset()));
    info.mpegVersion = VersionTimesTen(audio->version());
    info.layer = audio->layer();
    info.channelMode = static_cast<int32_t>(audio->channelMode());
    CorrectFromFrames(file, mpeg, *audio, info);
    return info;
}

} // namespace kivuna::tags
