#include "GenreTable.h"

#include "platform/RuntimeText.h"

namespace tagaccess {

const GenreTable& TheGenreTable() {
    static const GenreTable table = {
        "Blues",
        "Classic Rock",
        "Country",
        "Dance",
        "Disco",
        "Funk",
        "Grunge",
        "Hip-Hop",
        "Jazz",
        "Metal",
        "New Age",
        "Oldies",
        "Other",
        "Pop",
        "R&B",
        "Rap",
        "Reggae",
        "Rock",
        "Techno",
        "Industrial",
        "Alternative",
        "Ska",
        "Death Metal",
        "Pranks",
        "Soundtrack",
        "Euro-Techno",
        "Ambient",
        "Trip-Hop",
        "Vocal",
        "Jazz+Funk",
        "Fusion",
        "Trance",
        "Classical",
        "Instrumental",
        "Acid",
        "House",
        "Game",
        "Sound Clip",
        "Gospel",
        "Noise",
        "AlternRock",
        "Bass",
        "Soul",
        "Punk",
        "Space",
        "Meditative",
        "Instrumental Pop",
        "Instrumental Rock",
        "Ethnic",
        "Gothic",
        "Darkwave",
        "Techno-Industrial",
        "Electronic",
        "Pop-Folk",
        "Eurodance",
        "Dream",
        "Southern Rock",
        "Comedy",
        "Cult",
        "Gangsta",
        "Top 40",
        "Christian Rap",
        "Pop/Funk",
        "Jungle",
        "Native American",
        "Cabaret",
        "New Wave",
        "Psychedelic",
        "Rave",
        "Showtunes",
        "Trailer",
        "Lo-Fi",
        "Tribal",
        "Acid Punk",
        "Acid Jazz",
        "Polka",
        "Retro",
        "Musical",
        "Rock & Roll",
        "Hard Rock",
        "Folk",
        "Folk-Rock",
        "National Folk",
        "Swing",
        "Fast Fusion",
        "Bebob",
        "Latin",
        "Revival",
        "Celtic",
        "Bluegrass",
        "Avantgarde",
        "Gothic Rock",
        "Progressive Rock",
        "Psychedelic Rock",
        "Symphonic Rock",
        "Slow Rock",
        "Big Band",
        "Chorus",
        "Easy Listening",
        "Acoustic",
        "Humour",
        "Speech",
        "Chanson",
        "Opera",
        "Chamber Music",
        "Sonata",
        "Symphony",
        "Booty Bass",
        "Primus",
        "Porn Groove",
        "Satire",
        "Slow Jam",
        "Club",
        "Tango",
        "Samba",
        "Folklore",
        "Ballad",
        "Power Ballad",
        "Rhythmic Soul",
        "Freestyle",
        "Duet",
        "Punk Rock",
        "Drum Solo",
        "A capella",
        "Euro-House",
        "Dance Hall",
        "Goa",
        "Drum&Bass",
        "Club-House",
        "Hardcore",
        "Terror",
        "Indie",
        "BritPop",
        "Negerpunk",
        "PolskPunk",
        "Beat",
        "Christian Gangsta Rap",
        "Heavy Metal",
        "Black Metal",
        "Crossover",
        "Contemporary Christian",
        "Christian Rock",
        "Merengue",
        "Salsa",
        "Thrash Metal",
    };
    return table;
}

namespace {

// The names the tag library gives the genre bytes 145 to 191, which later players added: a tag
// read with one of them must get its byte back when it is written.
const std::array<QString, 47>& ExtendedGenres() {
    static const std::array<QString, 47> names = {"Anime",
                                                  "Jpop",
                                                  "Synthpop",
                                                  "Abstract",
                                                  "Art Rock",
                                                  "Baroque",
                                                  "Bhangra",
                                                  "Big Beat",
                                                  "Breakbeat",
                                                  "Chillout",
                                                  "Downtempo",
                                                  "Dub",
                                                  "EBM",
                                                  "Eclectic",
                                                  "Electro",
                                                  "Electroclash",
                                                  "Emo",
                                                  "Experimental",
                                                  "Garage",
                                                  "Global",
                                                  "IDM",
                                                  "Illbient",
                                                  "Industro-Goth",
                                                  "Jam Band",
                                                  "Krautrock",
                                                  "Leftfield",
                                                  "Lounge",
                                                  "Math Rock",
                                                  "New Romantic",
                                                  "Nu-Breakz",
                                                  "Post-Punk",
                                                  "Post-Rock",
                                                  "Psytrance",
                                                  "Shoegaze",
                                                  "Space Rock",
                                                  "Trop Rock",
                                                  "World Music",
                                                  "Neoclassical",
                                                  "Audiobook",
                                                  "Audio Theatre",
                                                  "Neue Deutsche Welle",
                                                  "Podcast",
                                                  "Indie Rock",
                                                  "G-Funk",
                                                  "Dubstep",
                                                  "Garage Rock",
                                                  "Psybient"};
    return names;
}

// Whether two names are the same with A-Z folded to a-z and, unless `blanks` count, without
// their blanks ("Drum & Bass" and "Drum&Bass"). Compared in place: every tag read asks this of
// each name of the table.
bool SameName(QStringView a, QStringView b, bool blanks) {
    qsizetype i = 0;
    qsizetype j = 0;
    for (;;) {
        if (!blanks) {
            while (i < a.size() && a[i] == u' ')
                ++i;
            while (j < b.size() && b[j] == u' ')
                ++j;
        }
        if (i == a.size() || j == b.size())
            return i == a.size() && j == b.size();
        if (platform::FoldLowerAscii(a[i].unicode()) != platform::FoldLowerAscii(b[j].unicode()))
            return false;
        ++i;
        ++j;
    }
}

// The number of an entry of the table, then of the extended names, with the same name as `name`;
// 255 when none has.
uint8_t FindName(const QString& name, const GenreTable& table, bool blanks) {
    for (size_t number = 0; number < table.size(); ++number) {
        if (SameName(table[number], name, blanks))
            return static_cast<uint8_t>(number);
    }
    const auto& extended = ExtendedGenres();
    for (size_t index = 0; index < extended.size(); ++index) {
        if (SameName(extended[index], name, blanks))
            return static_cast<uint8_t>(table.size() + index);
    }
    return 255;
}

// A genre given by its ID3v1 number, "17" or "(17)", as ID3v2 tags store it; 255 otherwise.
uint8_t NumericReference(QStringView text) {
    if (text.size() > 2 && text.front() == u'(' && text.back() == u')')
        text = text.mid(1, text.size() - 2);
    if (text.isEmpty() || text.size() > 3)
        return 255;
    int number = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return 255;
        number = number * 10 + (c.unicode() - u'0');
    }
    // 192-255 name no genre; 255 itself is "no genre".
    return number <= 191 ? static_cast<uint8_t>(number) : 255;
}

} // namespace

QString GenreName(uint8_t number, const GenreTable& table) {
    if (number < table.size())
        return table[number];
    const size_t extended = number - table.size();
    return extended < ExtendedGenres().size() ? ExtendedGenres()[extended] : QString();
}

uint8_t GenreNumber(const QString& name, const GenreTable& table) {
    if (name.isEmpty())
        return 255;
    if (const uint8_t exact = FindName(name, table, true); exact != 255)
        return exact;
    // "Drum & Bass" and "Polsk Punk" are common spellings of "Drum&Bass" and "PolskPunk".
    const uint8_t spaced = FindName(name, table, false);
    return spaced != 255 ? spaced : NumericReference(name);
}

} // namespace tagaccess
