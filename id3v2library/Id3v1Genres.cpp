#include "Id3v1Genres.h"

#include <taglib/id3v1genres.h>

#include "TagText.h"

namespace kivuna::tags {
namespace {

// The numbering and spelling users of the older taggers know; TagLib renamed a dozen of these
// ("Jazz-Funk", "Drum & Bass", ...), so they are kept here. One string of NUL-ended names rather
// than an array of pointers: the loader has nothing to relocate when the library is loaded.
constexpr char kGenreNames[] =
    "Blues\0Classic Rock\0Country\0Dance\0Disco\0Funk\0Grunge\0Hip-Hop\0Jazz\0Metal\0New Age\0"
    "Oldies\0Other\0Pop\0R&B\0Rap\0Reggae\0Rock\0Techno\0Industrial\0Alternative\0Ska\0"
    "Death Metal\0Pranks\0Soundtrack\0Euro-Techno\0Ambient\0Trip-Hop\0Vocal\0Jazz+Funk\0"
    "Fusion\0Trance\0Classical\0Instrumental\0Acid\0House\0Game\0Sound Clip\0Gospel\0Noise\0"
    "AlternRock\0Bass\0Soul\0Punk\0Space\0Meditative\0Instrumental Pop\0Instrumental Rock\0"
    "Ethnic\0Gothic\0Darkwave\0Techno-Industrial\0Electronic\0Pop-Folk\0Eurodance\0Dream\0"
    "Southern Rock\0Comedy\0Cult\0Gangsta\0Top 40\0Christian Rap\0Pop/Funk\0Jungle\0"
    "Native American\0Cabaret\0New Wave\0Psychedelic\0Rave\0Showtunes\0Trailer\0Lo-Fi\0"
    "Tribal\0Acid Punk\0Acid Jazz\0Polka\0Retro\0Musical\0Rock & Roll\0Hard Rock\0Folk\0"
    "Folk-Rock\0National Folk\0Swing\0Fast Fusion\0Bebob\0Latin\0Revival\0Celtic\0Bluegrass\0"
    "Avantgarde\0Gothic Rock\0Progressive Rock\0Psychedelic Rock\0Symphonic Rock\0Slow Rock\0"
    "Big Band\0Chorus\0Easy Listening\0Acoustic\0Humour\0Speech\0Chanson\0Opera\0"
    "Chamber Music\0Sonata\0Symphony\0Booty Bass\0Primus\0Porn Groove\0Satire\0Slow Jam\0"
    "Club\0Tango\0Samba\0Folklore\0Ballad\0Power Ballad\0Rhythmic Soul\0Freestyle\0Duet\0"
    "Punk Rock\0Drum Solo\0A capella\0Euro-House\0Dance Hall\0Goa\0Drum&Bass\0Club-House\0"
    "Hardcore\0Terror\0Indie\0BritPop\0Negerpunk\0PolskPunk\0Beat\0Christian Gangsta Rap\0"
    "Heavy Metal\0Black Metal\0Crossover\0Contemporary Christian\0Christian Rock\0Merengue\0"
    "Salsa\0Thrash Metal\0";
constexpr int kTableGenres = 145;

constexpr int kLastExtendedGenre = 191;

} // namespace

std::string Id3v1GenreName(uint8_t genreByte) {
    if (genreByte < kTableGenres) {
        const char* name = kGenreNames;
        for (int i = 0; i < genreByte; ++i)
            name += std::char_traits<char>::length(name) + 1;
        return name;
    }
    if (genreByte <= kLastExtendedGenre)
        return ToUtf8(TagLib::ID3v1::genre(genreByte));
    return {};
}

} // namespace kivuna::tags
