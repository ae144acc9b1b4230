// fix-encoding over titles that other programs garbled in every known way, next to correct
// accented and Cyrillic names, checked on disk by mutagen and the raw ID3v1 bytes.
#include "CliRun.h"
#include "TagFiles.h"

#include <QDir>
#include <vector>

namespace {

using clitest::RunCli;
using testsupport::TempFolder;

struct Title {
    const char* kind;
    const char* text;
    bool garbled;
};

const std::vector<Title> kTitles = {
    {"v2-1251", "Группа крови", true},
    {"v2-1251", "ДДТ", true},
    {"v2-koi8", "Звезда по имени Солнце", true},
    {"v2-utf8", "Björk", true},
    {"v2-utf8", "Гражданская оборона", true},
    {"v2-1251-then-unicode", "Кино", true},
    {"v1-koi8", "Группа крови", true},
    {"v1-866", "Аквариум", true},
    {"v1-1251", "Ария - Rock'n'Roll Star", false},
    {"v2-clean", "Sigur Rós", false},
    {"v2-clean", "Åse", false},
    {"v2-clean", "Þursaflokkurinn", false},
    {"v1-clean", "Motörhead", false},
    {"v1-clean", "Dýrð í dauðaþögn", false},
};

QByteArray Garbled(const QStringList& args) {
    const QString script = testsupport::SourceDir() + QStringLiteral("/tests/cli/garbled_tag.py");
    return testsupport::RunPython(QStringLiteral("exec(open('%1').read())").arg(script), args);
}

TEST(CliRepair, GarbledTitlesComeBackReadableAndCorrectNamesStay) {
    const TempFolder folder;
    QDir().mkpath(folder.Path(QStringLiteral("set")));
    std::vector<QString> paths;
    std::vector<QByteArray> audio;
    for (const Title& title : kTitles) {
        const QString path = tagfiles::MakeMp3(
            folder, QStringLiteral("set/%1 %2.mp3").arg(paths.size()).arg(title.kind));
        Garbled({"write", path, title.kind, QString::fromUtf8(title.text)});
        paths.push_back(path);
        audio.push_back(tagfiles::AudioOf(path));
    }
    const QString set = folder.Path(QStringLiteral("set"));
    const auto before = clitest::TreeBytes(set);

    const clitest::CliResult dry = RunCli({"fix-encoding", "--dry-run", set});
    EXPECT_EQ(dry.exitCode, 0);
    EXPECT_EQ(clitest::TreeBytes(set), before) << "a dry run wrote";
    const clitest::CliResult run = RunCli({"fix-encoding", set});
    EXPECT_EQ(run.exitCode, 0) << run.errorLines.join(u'\n').toStdString();
    // One line per garbled title, the same before the real run writes as in the dry run.
    EXPECT_EQ(run.out, dry.out);
    for (size_t i = 0; i < kTitles.size(); ++i) {
        const Title& title = kTitles[i];
        const QString name = QDir(set).relativeFilePath(paths[i]);
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(run.out.contains(QString::fromUtf8(title.text).toUtf8() + "\" ("), title.garbled)
            << run.out.toStdString();
        Garbled({"check", paths[i], title.kind, QString::fromUtf8(title.text)});
        if (!title.garbled && QByteArray(title.kind) != "v1-1251") {
            EXPECT_EQ(clitest::TreeBytes(set)[name], before[name]);
        }
        EXPECT_EQ(tagfiles::AudioOf(paths[i]), audio[i]);
    }

    // Repaired texts read right: a second run finds nothing, and undo gives every byte back.
    const auto repaired = clitest::TreeBytes(set);
    const clitest::CliResult again = RunCli({"fix-encoding", set});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.out.isEmpty()) << again.out.toStdString();
    EXPECT_EQ(clitest::TreeBytes(set), repaired);
    EXPECT_EQ(RunCli({"undo", "fix-encoding"}).exitCode, 0);
    EXPECT_EQ(clitest::TreeBytes(set), before);
}

// The same name garbled in ID3v2 and right in ID3v1 is one name: a sync gives both tags the
// readable one, whichever tag it prefers.
TEST(CliRepair, ASyncTakesTheReadableReadingOfOneName) {
    const TempFolder folder;
    for (const char* prefer : {"1", "2"}) {
        const QString path = tagfiles::MakeMp3(folder, QStringLiteral("%1.mp3").arg(prefer));
        Garbled({"write", path, "v2-1251", "Группа крови"});
        Garbled({"write", path, "v1-1251", "Группа крови"});
        EXPECT_EQ(RunCli({"sync", "--prefer", prefer, path}).exitCode, 0);
        Garbled({"check", path, "v2-clean", "Группа крови"});
        Garbled({"check", path, "v1-1251", "Группа крови"});
    }
}

} // namespace
