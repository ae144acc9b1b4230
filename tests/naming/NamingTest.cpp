#include "TestSupport.h"
#include "naming/FieldsFromPath.h"
#include "naming/NamePattern.h"
#include "naming/PathFromFields.h"
#include "naming/SafeName.h"

#include <gtest/gtest.h>

namespace {

using naming::Field;
using naming::NameFields;
using naming::NameRules;

NameFields Fields(const QString& title, const QString& artist, const QString& album,
                  const QString& track, const QString& year = {}) {
    NameFields fields;
    At(fields, Field::Title) = title;
    At(fields, Field::Artist) = artist;
    At(fields, Field::Album) = album;
    At(fields, Field::Track) = track;
    At(fields, Field::Year) = year;
    return fields;
}

naming::NamePattern Pattern(const QString& text) {
    QString error;
    const auto pattern = naming::NamePattern::Parse(text, &error);
    EXPECT_TRUE(pattern) << text.toStdString() << ": " << error.toStdString();
    return pattern.value_or(*naming::NamePattern::Parse(QStringLiteral("x")));
}

struct PathCase {
    const char* pattern;
    NameFields fields;
    const char* path;
    bool incomplete;
};

TEST(NamingTest, PatternGivesPath) {
    const PathCase cases[] = {
        {"%artist%/%album%/%track:2% - %title%", Fields("Song", "Band", "Disc", "7"),
         "Band/Disc/07 - Song.mp3", false},
        {"%track:3% %title%", Fields("Song", "", "", "7/12"), "007 Song.mp3", false},
        {"%track% %title%", Fields("Song", "", "", "12"), "12 Song.mp3", false},
        // A track of 0 is no track; empty fields stand as their defaults and mark the file.
        {"%artist%/%album%/%track:2% - %title%", Fields("", "", "", "0"),
         "Unknown Artist/Unknown Album/- Untitled.mp3", true},
        {"%year% - %album%", Fields("", "", "Disc", "", "1999"), "1999 - Disc.mp3", false},
        {"%year%/%title%", Fields("Song", "", "", ""), "Unknown/Song.mp3", true},
        {"100%% %title%", Fields("Pure", "", "", ""), "100% Pure.mp3", false},
        // A field cannot make a folder or climb out of the destination.
        {"%artist%/%title%", Fields("a/b", "..", "", ""), "Unknown/a_b.mp3", true},
        {"%artist% - %title%", Fields("  Song. ", " Band", "", ""), "Band - Song.mp3", false},
    };
    for (const PathCase& c : cases) {
        const auto result = naming::PathFromFields(Pattern(QString::fromUtf8(c.pattern)), c.fields,
                                                   QStringLiteral(".mp3"));
        EXPECT_EQ(result.path, QString::fromUtf8(c.path)) << c.pattern;
        EXPECT_EQ(result.incomplete, c.incomplete) << c.pattern;
    }
}

TEST(NamingTest, BadPatternsSayWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "The pattern is empty"},
        {"%artist%//%title%", "The pattern has an empty folder name"},
        {"/%title%", "The pattern has an empty folder name"},
        {"%title", "A field in the pattern is not closed with %"},
        {"%band%", "Unknown field %band% in the pattern"},
        {"%title:2%", "Only %track% takes a width, from 1 to 9: %title:2%"},
        {"%track:0%", "Only %track% takes a width, from 1 to 9: %track:0%"},
    };
    for (const auto& [text, why] : cases) {
        QString error;
        EXPECT_FALSE(naming::NamePattern::Parse(QString::fromUtf8(text), &error)) << text;
        EXPECT_EQ(error, QString::fromUtf8(why)) << text;
    }
    EXPECT_TRUE(Pattern(naming::kOrganizePattern).MakesFolders());
    EXPECT_FALSE(Pattern(naming::kRenamePattern).MakesFolders());
}

TEST(NamingTest, SafeNameReplacesTrimsAndCuts) {
    for (const char c : std::string("\\:*?\"<>|\x01\x1f")) {
        const QString name = QStringLiteral("a") + QChar::fromLatin1(c) + QStringLiteral("b");
        EXPECT_EQ(naming::SafeName(name, {}, NameRules::Portable), QStringLiteral("a_b")) << int(c);
        EXPECT_EQ(naming::SafeName(name, {}, NameRules::Posix), name) << int(c);
    }
    for (const NameRules rules : {NameRules::Posix, NameRules::Portable}) {
        EXPECT_EQ(naming::SafeName(QStringLiteral("a/b"), {}, rules), QStringLiteral("a_b"));
        EXPECT_EQ(naming::SafeName(QString::fromUtf16(u"a\0b", 3), {}, rules),
                  QStringLiteral("a_b"));
        EXPECT_EQ(naming::SafeName(QStringLiteral(" . name .. "), QStringLiteral(".mp3"), rules),
                  QStringLiteral("name.mp3"));
        EXPECT_EQ(naming::SafeName(QStringLiteral(" .. "), QStringLiteral(".mp3"), rules),
                  QString());
    }

    // Cyrillic letters take two bytes: 200 of them are cut to 125, leaving room for ".mp3".
    const QString cyrillic = QString(200, QChar(0x0416));
    const QString cut = naming::SafeName(cyrillic, QStringLiteral(".mp3"), NameRules::Portable);
    EXPECT_EQ(cut, QString(125, QChar(0x0416)) + QStringLiteral(".mp3"));
    EXPECT_EQ(cut.toUtf8().size(), 254);
    // A character outside the basic plane (4 bytes, a surrogate pair) is never split.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    const QString clefs = naming::SafeName(QString(1, QLatin1Char('a')) + clef.repeated(70),
                                           QStringLiteral(".mp3"), NameRules::Portable);
    EXPECT_EQ(clefs, QStringLiteral("a") + clef.repeated(62) + QStringLiteral(".mp3"));
    EXPECT_EQ(naming::SafeName(QString(300, QLatin1Char('x')), {}, NameRules::Posix).size(), 255);
}

TEST(NamingTest, NameGivesFields) {
    struct Case {
        const char* pattern;
        const char* path;
        NameFields fields;
    };
    const Case cases[] = {
        {"%artist% - %title%", "/m/Band - Song.mp3", Fields("Song", "Band", "", "")},
        {"%artist% - %title%", "/m/A - B - C.mp3", Fields("B - C", "A", "", "")},
        {"%track% - %title%", "/m/07 - Song.x.mp3", Fields("Song.x", "", "", "07")},
        {"%artist%/%album%/%track% %title%", "/m/Band/Disc/3 Song.mp3",
         Fields("Song", "Band", "Disc", "3")},
        {"%year% %title%", "/m/1999  Party .mp3", Fields("Party", "", "", "", "1999")},
    };
    for (const Case& c : cases) {
        const auto fields = naming::FieldsFromPath(Pattern(QString::fromUtf8(c.pattern)),
                                                   QString::fromUtf8(c.path));
        ASSERT_TRUE(fields) << c.path;
        EXPECT_EQ(*fields, c.fields) << c.path;
    }
    // Names that do not fit: no separator, letters where the track is, too few folders.
    const std::pair<const char*, const char*> misfits[] = {
        {"%artist% - %title%", "/m/Song.mp3"},
        {"%track% - %title%", "/m/x - Song.mp3"},
        {"%artist%/%album% - %title%", "/Disc - Song.mp3"},
    };
    for (const auto& [pattern, path] : misfits) {
        EXPECT_FALSE(
            naming::FieldsFromPath(Pattern(QString::fromUtf8(pattern)), QString::fromUtf8(path)))
            << path;
    }
}

TEST(NamingTest, RoundTripNameFieldsName) {
    const char* names[] = {"Band/Disc/07 - Song.mp3",
                           "Кино/Группа крови/01 - Звезда по имени Солнце.mp3",
                           "A - B/C/12 - D - E.mp3"};
    const naming::NamePattern pattern = Pattern(naming::kOrganizePattern);
    for (const char* name : names) {
        const QString path = QStringLiteral("/music/") + QString::fromUtf8(name);
        const auto fields = naming::FieldsFromPath(pattern, path);
        ASSERT_TRUE(fields) << name;
        EXPECT_EQ(naming::PathFromFields(pattern, *fields, QStringLiteral(".mp3")).path,
                  QString::fromUtf8(name));
    }
}

} // namespace
