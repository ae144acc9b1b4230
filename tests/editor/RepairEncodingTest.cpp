#include "EditorFixture.h"

#include <QAction>
#include <QLabel>

namespace {

// An ID3v2.3 title in a Latin-1 frame that holds Windows-1251 bytes, and a correct Latin-1 artist.
const char* const kGarbledTitle = R"(
import sys
from mutagen.id3 import ID3, TIT2, TPE1
tag = ID3()
tag.add(TIT2(encoding=0, text=["Группа крови".encode("cp1251").decode("latin-1")]))
tag.add(TPE1(encoding=0, text=["Björk"]))
tag.save(sys.argv[1], v1=0, v2_version=3)
)";

TEST_F(EditorTest, RepairEncodingPutsTheReadableTextInTheBoxesInEditModeOnly) {
    const QString path = Mp3({}, QStringLiteral("garbled.mp3"));
    testsupport::RunPython(QString::fromUtf8(kGarbledTitle), {path});
    const QString plain = Mp3({{"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "Jóga"}}}}}},
                              QStringLiteral("plain.mp3"));
    const auto status = [this] { return Control<QLabel>("StatusText")->text(); };
    auto* repair = form->findChild<QAction*>("Repairencoding1");

    Open(path);
    EXPECT_EQ(status(), "") << "the ID3v1 view: the file has no ID3v1 tag";
    Click("RadioButton2");
    EXPECT_EQ(status(),
              "1 field read garbled: Tag > Repair encoding puts the readable text in the boxes.");
    repair->trigger();
    EXPECT_EQ(messages.Texts(), QStringList{"Switch edit mode on to repair the fields."});
    EXPECT_EQ(Shown()[0], QStringLiteral("Ãðóïïà êðîâè"));

    Click("Label17");
    repair->trigger();
    EXPECT_EQ(Shown()[0], QStringLiteral("Группа крови"));
    EXPECT_EQ(Shown()[1], QStringLiteral("Björk"));
    EXPECT_EQ(status(), "1 field repaired: save to keep the new text, or cancel.");
    Click("SpeedButton2");
    EXPECT_EQ(tagfiles::ReadTags(path)[u"v2"][u"frames"][u"TIT2"].toString(),
              QStringLiteral("Группа крови"));
    EXPECT_EQ(tagfiles::AudioOf(path), testsupport::SilentAudio());
    EXPECT_EQ(status(), "") << "the saved tag reads right";

    Open(plain);
    repair->trigger();
    EXPECT_EQ(Shown()[0], QStringLiteral("Jóga"));
    EXPECT_EQ(status(), "No field reads garbled.");
}

} // namespace
