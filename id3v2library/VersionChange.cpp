#include "VersionChange.h"

#include <map>
#include <set>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>

namespace kivuna::tags {

std::set<std::string> FrameIds(const TagLib::ID3v2::Tag& tag) {
    std::set<std::string> ids;
    for (const TagLib::ID3v2::Frame* frame : tag.frameList())
        ids.emplace(frame->frameID().data(), frame->frameID().size());
    return ids;
}

std::string FramesWithoutEquivalent(const std::set<std::string>& before,
                                    const TagLib::ByteVector& rendered) {
    // The rendering read back as a file is read: TagLib maps a version's frames into its model.
    TagLib::ByteVectorStream stream(rendered);
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    const std::set<std::string> after =
        file.ID3v2Tag() != nullptr ? FrameIds(*file.ID3v2Tag()) : std::set<std::string>();
    // A 2.3 date and time live on in the 2.4 date, 2.3 involved people in 2.4 TIPL, and the
    // other way round; TagLib's model may keep the 2.3 frames beside what it made of them.
    static const std::map<std::string, std::string> kEquivalents = {
        {"TYER", "TDRC"}, {"TDAT", "TDRC"}, {"TIME", "TDRC"},
        {"TORY", "TDOR"}, {"IPLS", "TIPL"}, {"TMCL", "TIPL"}};
    const auto kept = [&](const std::string& id) {
        const auto equivalent = kEquivalents.find(id);
        return after.contains(id) ||
               (equivalent != kEquivalents.end() && after.contains(equivalent->second));
    };
    std::string lost;
    for (const std::string& id : before) {
        if (!kept(id))
            lost += (lost.empty() ? "" : ",") + id;
    }
    return lost;
}

} // namespace kivuna::tags
