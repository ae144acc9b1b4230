// A file's two tag regions read as raw bytes and put back into another state of the file: the
// result is the file as it was, byte for byte; bytes that are no regions are refused.
#include "LibraryFixture.h"

namespace tagtest {
namespace {

class TagRegionsTest : public LibraryTest {
  protected:
    QByteArray Region(uint32_t h, int which) {
        return QByteArray(Lib().ID3v2_GetTagRegionData(h, which),
                          Lib().ID3v2_GetTagRegionSize(h, which));
    }
    bool Put(const QString& file, const QByteArray& id3v2, const QByteArray& id3v1) {
        const uint32_t h = Lib().ID3v2_Create();
        return Lib().ID3v2_PutTagRegions(h, Name(file).c_str(), id3v2.constData(),
                                         int32_t(id3v2.size()), id3v1.constData(),
                                         int32_t(id3v1.size())) &
               0xFF;
    }
};

TEST_F(TagRegionsTest, RegionsPutBackGiveTheFileAsItWas) {
    const QByteArray tag =
        Id3v2Tag(4, 0,
                 Id3v2Frame(4, "TRCK", Latin1Text("3/12")) +
                     Id3v2Frame(4, "TDRC", Latin1Text("1999-12-31")) + QByteArray(300, '\0'));
    const QByteArray record = Id3v1Bytes({"Title", "Artist", "", "", "", 3, 17});
    const QString original = Path("original.mp3");
    WriteMp3(original, tag, record);
    const uint32_t h = Lib().ID3v2_Create();
    ASSERT_TRUE(Lib().ID3v2_LoadTagRegions(h, Name(original).c_str()) & 0xFF);
    EXPECT_EQ(Region(h, 2), tag);
    EXPECT_EQ(Region(h, 1), record);
    EXPECT_EQ(Lib().ID3v2_GetTagRegionSize(h, 3), 0);

    // Into the file without tags, with other tags of both sizes, and taken off again.
    const QString file = Path("file.mp3");
    const QByteArray title = Id3v2Frame(3, "TIT2", Latin1Text("x"));
    const QByteArray small = Id3v2Tag(3, 0, title);
    const QByteArray large = Id3v2Tag(3, 0, title + QByteArray(4000, '\0'));
    const QByteArray other = Id3v1Bytes({"Other", "", "", "", "", 0, 255});
    for (const auto& [front, tail] :
         std::vector<std::pair<QByteArray, QByteArray>>{{{}, {}}, {small, other}, {large, {}}}) {
        WriteMp3(file, front, tail);
        ASSERT_TRUE(Put(file, tag, record));
        EXPECT_EQ(testsupport::ReadFile(file), testsupport::ReadFile(original));
    }
    ASSERT_TRUE(Put(file, {}, {}));
    EXPECT_EQ(testsupport::ReadFile(file), Audio());

    // No regions: a tag whose header gives another size, a cut record, a file without audio.
    WriteMp3(file, small, other);
    const QByteArray before = testsupport::ReadFile(file);
    EXPECT_FALSE(Put(file, tag.left(tag.size() - 1), record));
    EXPECT_FALSE(Put(file, tag, record.left(127)));
    EXPECT_FALSE(Put(file, "ID3", {}));
    EXPECT_EQ(testsupport::ReadFile(file), before);
    const QString text = Path("notes.mp3");
    testsupport::WriteFile(text, QByteArray(4000, 'a'));
    EXPECT_FALSE(Put(text, tag, record));
    EXPECT_FALSE(Lib().ID3v2_LoadTagRegions(h, Name(text).c_str()) & 0xFF);
    EXPECT_EQ(testsupport::ReadFile(text), QByteArray(4000, 'a'));
}

} // namespace
} // namespace tagtest
