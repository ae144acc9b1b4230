#include "EncodingRepair.h"

#include "MessageCapture.h"
#include "tagaccess/Id3v1Storage.h"
#include "tagaccess/TextRepairs.h"
#include "textrepair/TextRepair.h"

#include <array>

namespace tagjobs {
namespace {

using tagaccess::TagFields;
namespace textrepair = kivuna::textrepair;

// Where the text fields lie in an ID3v1 record.
struct Id3v1Place {
    int field;
    int offset;
    int width;
};
constexpr std::array<Id3v1Place, 4> kId3v1Places = {{{tagaccess::kTitle, 3, 30},
                                                     {tagaccess::kArtist, 33, 30},
                                                     {tagaccess::kAlbum, 63, 30},
                                                     {tagaccess::kComment, 97, 30}}};

// Numbers are never garbled, and the ID3v1 genre is a byte.
bool HoldsText(int version, int field) {
    return field != tagaccess::kYear && field != tagaccess::kTrack &&
           (version == 2 || field != tagaccess::kGenre);
}

// The ID3v1 field's bytes when they are in a code page other programs do not read, with how
// they show there (as Latin-1); nothing for Latin-1 and Windows-1251.
std::optional<FieldRepair> StrangeCodepage(const QByteArray& record, const Id3v1Place& place,
                                           const QString& reading) {
    if (record.size() != 128 || !record.startsWith("TAG"))
        return std::nullopt;
    // A comment of 28 bytes ends with a NUL and the track byte.
    const int width = place.field == tagaccess::kComment && record[125] == '\0' ? 28 : place.width;
    const QByteArray bytes = record.mid(place.offset, width);
    const textrepair::Codepage codepage =
        textrepair::Id3v1Codepage(std::string_view(bytes.constData(), size_t(bytes.size())));
    if (codepage == textrepair::Codepage::Latin1 || codepage == textrepair::Codepage::Windows1252 ||
        codepage == textrepair::Codepage::Windows1251)
        return std::nullopt;
    const std::string_view name = textrepair::CodepageName(codepage);
    QByteArray shown = bytes.left(bytes.indexOf('\0') < 0 ? bytes.size() : bytes.indexOf('\0'));
    return FieldRepair{1, place.field, QString::fromLatin1(shown).trimmed(), reading,
                       QString::fromUtf8(name.data(), qsizetype(name.size())) +
                           QStringLiteral(" in ID3v1")};
}

} // namespace

std::vector<FieldRepair> FindRepairs(const FileTagsBefore& tags, const QByteArray& id3v1Record,
                                     ChosenTags versions) {
    std::vector<FieldRepair> repairs;
    for (const int version : {1, 2}) {
        if (!Includes(versions, version))
            continue;
        const TagFields& fields = version == 1 ? tags.id3v1 : tags.id3v2;
        for (int field = 0; field < tagaccess::kTagFieldCount && size_t(field) < fields.size();
             ++field) {
            if (!HoldsText(version, field))
                continue;
            const QString& text = fields[size_t(field)];
            std::optional<FieldRepair> repair;
            if (const auto repaired = tagaccess::RepairText(text))
                repair = FieldRepair{version, field, text, repaired->text, repaired->damage};
            if (version == 1)
                for (const Id3v1Place& place : kId3v1Places)
                    if (place.field == field && !repair)
                        repair = StrangeCodepage(id3v1Record, place, text);
            // An ID3v1 text is only repaired where its record can hold it whole.
            if (repair && version == 1 &&
                !tagaccess::TextsId3v1Garbles(TagFields{repair->after}).isEmpty())
                repair.reset();
            if (repair)
                repairs.push_back(*repair);
        }
    }
    return repairs;
}

FilePlan PlanRepair(tagaccess::ID3& id3, const QString& path, ChosenTags versions) {
    FilePlan plan;
    const MessageCapture said;
    const auto read = id3.ReadTagsAndRegions(
        path, [](const TagFields&, const TagFields&) { return true; }, true);
    if (!read) {
        plan.refusal = UnreadReason(path, said.Text());
        return plan;
    }
    if (!read->regions) {
        plan.refusal = kNoMp3;
        return plan;
    }
    plan.before = {read->id3v1, read->id3v2};
    plan.regions = read->regions;
    plan.repairs = FindRepairs(plan.before, read->regions->id3v1, versions);
    FileTagsBefore after = plan.before;
    for (const FieldRepair& repair : plan.repairs)
        (repair.version == 1 ? after.id3v1 : after.id3v2)[size_t(repair.field)] = repair.after;
    plan.after = {tagaccess::AsStored(after.id3v1, 1), tagaccess::AsStored(after.id3v2, 2)};
    for (const FieldRepair& repair : plan.repairs)
        (repair.version == 1 ? plan.writeId3v1 : plan.writeId3v2) = true;
    return plan;
}

FilePlanner RepairPlanner(ChosenTags versions) {
    return [versions](tagaccess::ID3& id3, const QString& path, int) {
        return PlanRepair(id3, path, versions);
    };
}

QString RepairLine(const FieldRepair& repair) {
    return QStringLiteral("ID3v%1 %2: \"%3\" -> \"%4\" (%5)")
        .arg(repair.version)
        .arg(QString::fromLatin1(tagaccess::kFieldNames[size_t(repair.field)]), repair.before,
             repair.after, repair.damage);
}

} // namespace tagjobs
