#include "TagAccessFixture.h"
#include "tagaccess/Id3v1Storage.h"

namespace {

using tagaccess::TagFields;

struct StorageCase {
    const char* what;
    TagFields given;
    // What each tag version gives back once written and read again.
    TagFields id3v1;
    TagFields id3v2;
};

const QString k40 = QStringLiteral("Forty characters of title, much too long");
const QString k30 = k40.left(30);

// Each case is written through the real tag library and read back: the rule must say exactly
// what the file then holds, or the previews and the "does this change anything" checks lie.
const std::vector<StorageCase> kCases = {
    {"texts fit",
     {"Song", "Band", "Disc", "1999", "Rock", "7", "fine"},
     {"Song", "Band", "Disc", "1999", "Rock", "7", "fine"},
     {"Song", "Band", "Disc", "1999", "Rock", "7", "fine"}},
    {"long texts are cut to the field widths",
     {k40, k40, k40, "19999", "", "", k40},
     {k30, k30, k30, "1999", "", "0", k30},
     {k40, k40, k40, "19999", "", "", k40}},
    {"a track takes the comment's last two bytes",
     {"a", "b", "c", "", "", "5", k40},
     {"a", "b", "c", "", "", "5", k30.left(28)},
     {"a", "b", "c", "", "", "5", k40}},
    {"trailing blanks go, leading ones stay",
     {" Song  ", "Band ", "", "", "", "", "note   "},
     {" Song", "Band", "", "", "", "0", "note"},
     {" Song  ", "Band ", "", "", "", "", "note   "}},
    {"genres are names of the list",
     {"t", "", "", "", "rock", "0", ""},
     {"t", "", "", "", "Rock", "0", ""},
     {"t", "", "", "", "rock", "", ""}},
    {"an unknown genre and a track out of range store none",
     {"t", "", "", "", "Not a genre", "300", ""},
     {"t", "", "", "", "", "0", ""},
     {"t", "", "", "", "Not a genre", "300", ""}},
    {"Cyrillic",
     {"Группа крови", "Кино", "", "1988", "", "1", "эй, привет"},
     {"Группа крови", "Кино", "", "1988", "", "1", "эй, привет"},
     {"Группа крови", "Кино", "", "1988", "", "1", "эй, привет"}},
    {"Cyrillic beside Latin-1 letters keeps neither whole; later genres have names",
     {"Кино Crème", "Band", "", "", "Baroque", "", "Ὅμηρος"},
     {"???? Crème", "Band", "", "", "Baroque", "0", "??????"},
     {"Кино Crème", "Band", "", "", "Baroque", "", "Ὅμηρος"}},
};

TEST_F(TagAccessTest, TheStorageRuleSaysWhatEachTagVersionKeeps) {
    for (const StorageCase& test : kCases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(tagaccess::AsStoredInId3v1(test.given), test.id3v1);
        EXPECT_EQ(tagaccess::AsStoredInId3v2(test.given), test.id3v2);

        const QString path = Mp3({}, QStringLiteral("%1.mp3").arg(&test - kCases.data()));
        // The write takes a track number; every other text goes in as given.
        TagFields v1 = test.given;
        if (v1[tagaccess::kTrack].isEmpty())
            v1[tagaccess::kTrack] = QStringLiteral("0");
        ASSERT_TRUE(id3.WriteId3v1(path, v1, true));
        TagFields v2 = test.given;
        v2.resize(tagaccess::kTagFieldCountWithPicture);
        ASSERT_TRUE(id3.WriteId3v2(path, v2, true));
        EXPECT_EQ(tagaccess::AsStoredInId3v1(id3.ReadId3v1(path, true)), test.id3v1);
        EXPECT_EQ(tagaccess::AsStoredInId3v2(id3.ReadId3v2(path, true)), test.id3v2);
    }
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join(u'\n').toStdString();
}

} // namespace
