#include "CliRun.h"
#include "TagFiles.h"
#include "platform/AnsiText.h"
#include "platform/FindFiles.h"
#include "tagjobs/FolderWalk.h"
#include "tagjobs/ProcessFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using clitest::RunCli;
using testsupport::TempFolder;

const QStringList kKeys = {"title", "artist", "album", "year", "genre", "track", "comment"};

// The independent reader's view, read-only so that lookups chain.
const QJsonObject ReadTags(const QString& path) {
    return tagfiles::ReadTags(path);
}

QString Trimmed(const QString& text) {
    return text.trimmed();
}

// The generator writes a genre reference as stored ("(17)"); the library reads its number.
QString GenreNumberText(QString text) {
    if (text.startsWith(u'(') && text.endsWith(u')'))
        text = text.mid(1, text.size() - 2);
    return text;
}

QJsonObject FilesByPath(const QJsonObject& manifest, const QString& root) {
    QJsonObject files;
    for (const QJsonValue file : manifest["files"].toArray())
        files.insert(root + u'/' + file["path"].toString(), file.toObject());
    return files;
}

TEST(Cli, ShowJsonGivesBothTagsAsTheManifestRecordsThem) {
    const TempFolder folder;
    const QString root = folder.Path(QStringLiteral("tree"));
    const QJsonObject files = FilesByPath(clitest::MakeCorpus(root, 24, 5), root);
    const clitest::CliResult shown = RunCli(QStringList{"show", "--json"} + files.keys());
    EXPECT_EQ(shown.exitCode, 0) << shown.errorLines.join(u'\n').toStdString();
    const QJsonArray objects = QJsonDocument::fromJson(shown.out).array();
    ASSERT_EQ(objects.size(), files.size());
    for (const QJsonValue object : objects) {
        const QString path = object["path"].toString();
        ASSERT_TRUE(files.contains(path)) << path.toStdString();
        const QJsonObject expected = files[path]["expect_sync"].toObject();
        EXPECT_TRUE(object["errors"].toArray().isEmpty());
        const QJsonValue v2 = files[path]["id3v2"];
        EXPECT_EQ(object["v2version"], v2.isObject() ? v2["version"] : QJsonValue())
            << path.toStdString();
        for (int k = 0; k < kKeys.size(); ++k) {
            for (const auto& [tag, read] : {std::pair{"v1", "read_v1"}, {"v2", "read_v2"}}) {
                QString want = Trimmed(expected[read][k].toString());
                QString got = Trimmed(object[tag][kKeys[k]].toString());
                if (kKeys[k] == u"genre")
                    want = GenreNumberText(want);
                // A file without the tag has no track text; the manifest writes "0" or "".
                if (kKeys[k] == u"track" && got.isEmpty())
                    got = want == u"0" ? want : got;
                EXPECT_EQ(got, want)
                    << path.toStdString() << " " << tag << " " << kKeys[k].toStdString();
            }
        }
    }
    const clitest::CliResult text = RunCli({"show", files.keys().front()});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.startsWith(files.keys().front().toUtf8() + "\n"));
    EXPECT_TRUE(text.out.contains("ID3v1")) << text.out.toStdString();
}

// The organizer's processing and the tool's sync, each on its own copy of one tree, leave the
// same bytes in every file; the files that cannot be synchronised fail with one line each.
TEST(Cli, SyncOfATreeEqualsTheOrganizersProcessing) {
    const TempFolder folder;
    const QString byCli = folder.Path(QStringLiteral("cli"));
    const QString byOrganizer = folder.Path(QStringLiteral("organizer"));
    const QJsonObject manifest = clitest::MakeCorpus(byCli, 40, 11);
    clitest::MakeCorpus(byOrganizer, 40, 11);
    ASSERT_EQ(clitest::TreeBytes(byCli), clitest::TreeBytes(byOrganizer));

    const clitest::CliResult dry = RunCli({"sync", "--dry-run", byCli});
    EXPECT_FALSE(dry.out.isEmpty());
    EXPECT_EQ(clitest::TreeBytes(byCli), clitest::TreeBytes(byOrganizer)) << "a dry run wrote";

    const clitest::CliResult synced = RunCli({"sync", byCli});
    tagaccess::ID3 id3;
    tagjobs::FoundFileList found;
    tagjobs::FolderWalk walk(found, [] { return true; });
    walk.FindFiles(platform::ToAnsi(byOrganizer + u'/'), "*.mp3", platform::faAnyFile, 1, 100000);
    int unresolved = 0;
    for (const tagjobs::FoundFile& file : found) {
        const QString path = file.Folder + file.Name;
        const tagjobs::FilePlan plan =
            tagjobs::PlanSync(id3, path, tagjobs::kPreferV2, tagjobs::SyncFailures::Counted);
        std::optional<tagaccess::TagRegions> left;
        if (plan.leftAlone)
            ++unresolved;
        else if (plan.TouchesFile()) {
            EXPECT_TRUE(tagjobs::CarryOut(id3, path, plan, left).done) << path.toStdString();
        }
    }

    EXPECT_EQ(found.size(), 40u);
    EXPECT_GT(unresolved, 0) << "the corpus holds files without any tag";
    // Files without any tag text are no failures: counted, left alone.
    EXPECT_EQ(synced.exitCode, 0) << synced.errorLines.join(u'\n').toStdString();
    EXPECT_TRUE(synced.errorLines.isEmpty());
    const QByteArray summary =
        QByteArray::number(unresolved) + " files without tag text, left alone\n";
    EXPECT_EQ(synced.out, summary);
    EXPECT_EQ(dry.exitCode, 0);
    EXPECT_TRUE(dry.out.endsWith(summary));
    EXPECT_EQ(clitest::TreeBytes(byCli), clitest::TreeBytes(byOrganizer));

    // The independent reader sees the merged texts in both tags (ID3v1's may be in another
    // 8-bit code page than the reader assumes, so its numbers are compared).
    const QJsonObject files = FilesByPath(manifest, byCli);
    for (const QString& path : files.keys().mid(0, 4)) {
        const QJsonObject sync = files[path]["expect_sync"].toObject();
        if (!sync["ok"].toBool())
            continue;
        const QJsonObject tags = ReadTags(path);
        EXPECT_EQ(tags["v2"]["frames"]["TIT2"].toString(), sync["merged"][0].toString());
        EXPECT_EQ(tags["v1"]["genre"].toInt(), sync["v1_genre_byte"].toInt());
        EXPECT_EQ(tags["v1"]["track"].toInt(), sync["v1_track_byte"].toInt());
    }
    testsupport::RunPython(
        QStringLiteral("import runpy, sys; sys.argv = sys.argv[1:]; runpy.run_path(sys.argv[0], "
                       "run_name='__main__')"),
        {testsupport::SourceDir() + QStringLiteral("/tests/tools/make_mp3_corpus.py"), "--verify",
         byCli, "--manifest", byCli + QStringLiteral(".json")});
}

TEST(Cli, SetChangesOnlyTheFieldsGivenInTheTagsChosen) {
    const TempFolder folder;
    const QString path = tagfiles::MakeMp3(
        folder, QStringLiteral("both.mp3"),
        QJsonObject{{"v1", QJsonObject{{"title", "Old"},
                                       {"artist", "Band"},
                                       {"track", 3},
                                       {"genre", 17},
                                       {"comment", "c1"}}},
                    {"v2", QJsonObject{{"version", 4},
                                       {"frames", QJsonObject{{"TIT2", "Old"},
                                                              {"TPE1", "Band"},
                                                              {"TRCK", "3/12"},
                                                              {"TPE2", "Album Artist"}}},
                                       {"comments", QJsonObject{{"", "c2"}}}}}});
    const QJsonObject before = tagfiles::ReadTags(path);

    const QByteArray bytes = testsupport::ReadFile(path);
    const clitest::CliResult dry = RunCli({"set", "--dry-run", "--title", "New", path});
    EXPECT_EQ(dry.exitCode, 0);
    EXPECT_TRUE(dry.out.contains("ID3v1 Title: \"Old\" -> \"New\"")) << dry.out.toStdString();
    EXPECT_TRUE(dry.out.contains("ID3v2 Title: \"Old\" -> \"New\""));
    EXPECT_EQ(testsupport::ReadFile(path), bytes) << "a dry run wrote";

    EXPECT_EQ(RunCli({"set", "--v2", "--title=New", path}).exitCode, 0);
    QJsonObject after = tagfiles::ReadTags(path);
    EXPECT_EQ(after["v1"], before["v1"]);
    QJsonObject frames = before["v2"]["frames"].toObject();
    frames["TIT2"] = "New";
    EXPECT_EQ(std::as_const(after)["v2"]["frames"].toObject(), frames);
    EXPECT_EQ(std::as_const(after)["v2"]["version"], 4);

    EXPECT_EQ(RunCli({"set", path, "--v1", "--track", "4", "--genre", "Jazz"}).exitCode, 0);
    after = tagfiles::ReadTags(path);
    QJsonObject v1 = before["v1"].toObject();
    v1["track"] = 4;
    v1["genre"] = 8;
    EXPECT_EQ(after["v1"].toObject(), v1);
    EXPECT_EQ(std::as_const(after)["v2"]["frames"].toObject(), frames);
}

TEST(Cli, TwoRunsChangingOtherFieldsOfTheSameFilesLoseNothing) {
    const TempFolder folder;
    const QString model = tagfiles::MakeMp3(
        folder, QStringLiteral("model.mp3"),
        QJsonObject{
            {"v1", QJsonObject{{"title", "Old"}, {"artist", "Old"}}},
            {"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "Old"}, {"TPE1", "Old"}}}}}});
    QStringList paths;
    for (const char* sub : {"a", "b"})
        ASSERT_TRUE(QDir().mkpath(folder.Path(QLatin1String(sub))));
    for (int i = 0; i < 200; ++i) {
        paths << folder.Path(QStringLiteral("%1/song%2.mp3").arg(i % 2 ? "a" : "b").arg(i));
        ASSERT_TRUE(QFile::copy(model, paths.back()));
    }
    QProcess titles;
    QProcess artists;
    clitest::StartCli(titles, QStringList{"set", "--title", "New title"} + paths);
    clitest::StartCli(artists, QStringList{"set", "--artist", "New artist"} + paths);
    for (QProcess* run : {&titles, &artists}) {
        ASSERT_TRUE(run->waitForFinished(120000));
        EXPECT_EQ(run->exitCode(), 0) << run->readAllStandardError().toStdString();
    }
    tagaccess::ID3 id3;
    int lost = 0;
    for (const QString& path : paths) {
        for (const auto& tag : {id3.ReadId3v1(path, false), id3.ReadId3v2(path, false)})
            lost += (tag[tagaccess::kTitle] != u"New title") +
                    (tag[tagaccess::kArtist] != u"New artist");
    }
    EXPECT_EQ(lost, 0);
}

TEST(Cli, ScriptsCanTrustTheExitCodeAndTheOutput) {
    const TempFolder folder;
    const QString path = tagfiles::MakeMp3(
        folder, QStringLiteral("song.mp3"),
        QJsonObject{{"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "A\x1b[31mred\nline"}}}}}});
    // Output that cannot be written fails the run.
    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"));
    clitest::StartCli(full, {"show", "--json", path});
    ASSERT_TRUE(full.waitForFinished(60000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_TRUE(full.readAllStandardError().contains("No space left on device"));

    // A dry run makes the real run's checks: an empty file and a read-only one fail it.
    const QString empty = folder.Path(QStringLiteral("empty.mp3"));
    testsupport::WriteFile(empty, {});
    const QString readOnly = folder.Path(QStringLiteral("read-only.mp3"));
    ASSERT_TRUE(QFile::copy(path, readOnly));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner));
    const clitest::CliResult dry =
        RunCli({"set", "--dry-run", "--title", "X", empty, readOnly, path});
    EXPECT_EQ(dry.exitCode, 1);
    EXPECT_EQ(dry.errorLines.size(), 2) << dry.errorLines.join(u'\n').toStdString();
    EXPECT_EQ(RunCli({"set", "--title", "X", empty, readOnly}).errorLines.size(), 2);
    EXPECT_EQ(RunCli({"copy", "v1-to-v2", "--dry-run", path}).exitCode, 1) << "no ID3v1 to copy";
    EXPECT_EQ(RunCli({"copy", "v2-to-v1", "--dry-run", readOnly}).exitCode, 1);
    EXPECT_EQ(RunCli({"copy", "v2-to-v1", "--dry-run", path}).exitCode, 0);

    // One JSON object per line; texts as they are in JSON and in a pipe.
    const clitest::CliResult lines = RunCli({"show", "--jsonl", path, path});
    const QList<QByteArray> objects = lines.out.trimmed().split('\n');
    ASSERT_EQ(objects.size(), 2);
    for (const QByteArray& object : objects)
        EXPECT_EQ(QJsonDocument::fromJson(object)["v2"]["title"].toString(), "A\x1b[31mred\nline");
    EXPECT_TRUE(RunCli({"show", path}).out.contains("A\x1b[31mred\nline"));
    // On a terminal, control characters are shown escaped.
    QProcess terminal;
    terminal.start(QStringLiteral("script"),
                   {"-qec", QStringLiteral("'%1' show '%2'").arg(QStringLiteral(KIVUNA_CLI), path),
                    "/dev/null"});
    ASSERT_TRUE(terminal.waitForFinished(60000));
    EXPECT_TRUE(terminal.readAllStandardOutput().contains("A\\x1b[31mred\\nline"));

    // --v1 --v2 is both; a track with blanks is a usage error; help and version.
    EXPECT_EQ(RunCli({"set", "--v1", "--v2", "--artist", "Both", path}).exitCode, 0);
    tagaccess::ID3 id3;
    EXPECT_EQ(id3.ReadId3v1(path, false)[tagaccess::kArtist], "Both");
    EXPECT_EQ(id3.ReadId3v2(path, false)[tagaccess::kArtist], "Both");
    EXPECT_EQ(RunCli({"set", "--track", " 5", path}).exitCode, 2);
    EXPECT_EQ(RunCli({"--help", "show"}).out, RunCli({"show", "--help"}).out);
    const clitest::CliResult version = RunCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("kivuna-cli ")) << version.out.toStdString();
    EXPECT_TRUE(version.out.contains("ID3v2Library.dll ") && version.out.contains("(TagLib 1."));
}

TEST(Cli, PicturesAndRemovalGoThroughTheJournalAndComeBackByteForByte) {
    const TempFolder folder;
    const QString tree = folder.Path(QStringLiteral("tree"));
    clitest::MakeCorpus(tree, 6, 5);
    const QMap<QString, QByteArray> before = clitest::TreeBytes(tree);
    const QString cover = folder.Path(QStringLiteral("cover.png"));
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(5000, 'c');
    testsupport::WriteFile(cover, png);
    testsupport::WriteFile(folder.Path(QStringLiteral("notes.png")), "not a picture");

    EXPECT_EQ(RunCli({"picture", "import", folder.Path(QStringLiteral("notes.png")), "-r", tree})
                  .exitCode,
              1);
    EXPECT_EQ(clitest::TreeBytes(tree), before);
    RunCli({"picture", "import", cover, "-r", tree});
    const QString first = clitest::TreeBytes(tree).firstKey();
    const QString exported = folder.Path(QStringLiteral("out.png"));
    const QStringList exportArgs{"picture", "export", tree + u'/' + first, exported};
    EXPECT_EQ(RunCli(exportArgs).exitCode, 0);
    EXPECT_EQ(testsupport::ReadFile(exported), png);
    EXPECT_EQ(RunCli(exportArgs).exitCode, 1) << "an existing file was overwritten";

    const clitest::CliResult removed = RunCli({"remove", "--quiet", "--v1", "-r", tree});
    EXPECT_TRUE(removed.out.isEmpty());
    int shown = 0;
    for (const QByteArray& line :
         RunCli({"show", "--jsonl", "-r", tree}).out.trimmed().split('\n')) {
        const QJsonObject v1 = QJsonDocument::fromJson(line)["v1"].toObject();
        shown += v1.isEmpty() ? 0 : 1;
        for (const QJsonValue& text : v1)
            EXPECT_EQ(text.toString(), "") << line.toStdString();
    }
    EXPECT_GT(shown, 0);
    EXPECT_EQ(RunCli({"undo", "remove"}).exitCode, 0);
    EXPECT_EQ(RunCli({"undo", "picture"}).exitCode, 0);
    EXPECT_EQ(clitest::TreeBytes(tree), before);
}

TEST(Cli, ConvertChangesTheVersionLosingNothingAndComesBack) {
    const TempFolder folder;
    const QJsonObject frames{{"TIT2", "Title"},
                             {"TPE1", QJsonArray{"One", "Two"}},
                             {"TDRC", "1999-12-31T10:20"},
                             {"TRCK", "3/12"}};
    QJsonObject withSubtitle = frames;
    withSubtitle["TSST"] = "Disc one";
    const QString plain =
        tagfiles::MakeMp3(folder, QStringLiteral("plain.mp3"),
                          QJsonObject{{"v2", QJsonObject{{"version", 4}, {"frames", frames}}}});
    const QString subtitled = tagfiles::MakeMp3(
        folder, QStringLiteral("subtitled.mp3"),
        QJsonObject{{"v2", QJsonObject{{"version", 4}, {"frames", withSubtitle}}}});
    const QByteArray plainBytes = testsupport::ReadFile(plain);
    const QByteArray subtitledBytes = testsupport::ReadFile(subtitled);

    // 2.3 has no set subtitle: that file is named and left as it was.
    const clitest::CliResult down = RunCli({"convert", "--to", "2.3", plain, subtitled});
    EXPECT_EQ(down.exitCode, 1);
    ASSERT_EQ(down.errorLines.size(), 1);
    EXPECT_TRUE(down.errorLines[0].endsWith(": TSST.")) << down.errorLines[0].toStdString();
    EXPECT_EQ(testsupport::ReadFile(subtitled), subtitledBytes);
    QJsonObject tags = tagfiles::ReadTags(plain);
    EXPECT_EQ(std::as_const(tags)["v2"]["version"].toInt(), 3);
    // The date as 2.3 holds it: year, day and month, time.
    EXPECT_EQ(std::as_const(tags)["v2"]["frames"]["TYER"].toString(), "1999");
    EXPECT_EQ(std::as_const(tags)["v2"]["frames"]["TDAT"].toString(), "3112");
    EXPECT_EQ(std::as_const(tags)["v2"]["frames"]["TIME"].toString(), "1020");
    EXPECT_EQ(std::as_const(tags)["v2"]["frames"]["TRCK"].toString(), "3/12");

    EXPECT_EQ(RunCli({"convert", "--to", "2.4", plain}).exitCode, 0);
    const QString notMp3 = folder.Path(QStringLiteral("empty.mp3"));
    testsupport::WriteFile(notMp3, {});
    EXPECT_EQ(RunCli({"convert", "--to", "2.4", notMp3}).exitCode, 1) << "no MP3 is no success";
    tags = tagfiles::ReadTags(plain);
    EXPECT_EQ(std::as_const(tags)["v2"]["version"].toInt(), 4);
    EXPECT_TRUE(std::as_const(tags)["v2"]["frames"]["TDRC"].toString().startsWith("1999-12-31"));
    EXPECT_EQ(std::as_const(tags)["v2"]["frames"]["TPE1"].toString(), "One/Two");
    EXPECT_EQ(RunCli({"undo", "convert"}).exitCode, 0);
    EXPECT_EQ(RunCli({"undo", "convert"}).exitCode, 0);
    EXPECT_EQ(testsupport::ReadFile(plain), plainBytes);
}

TEST(Cli, ANameThatIsNotUtf8IsReachedByItsBytes) {
    const TempFolder folder;
    const QString model = tagfiles::MakeMp3(
        folder, QStringLiteral("model.mp3"),
        QJsonObject{{"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "Caf\u00e9"}}}}}});
    // "caf\xe9.mp3": a Latin-1 name, as old copies from other systems have them.
    const QByteArray name =
        QFile::encodeName(folder.Path(QStringLiteral("names/"))) + "caf\xe9.mp3";
    ASSERT_TRUE(QDir().mkpath(folder.Path(QStringLiteral("names"))));
    const QByteArray bytes = testsupport::ReadFile(model);
    const int fd = ::open(name.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(fd);

    // Found by the walk, synchronised, and named by its own bytes.
    EXPECT_EQ(RunCli({"sync", folder.Path(QStringLiteral("names"))}).exitCode, 0);
    tagaccess::ID3 id3;
    EXPECT_EQ(id3.ReadId3v1(platform::FromAnsi(name.constData()), false)[tagaccess::kTitle],
              QStringLiteral("Caf\u00e9"));
    const clitest::CliResult shown = RunCli({"show", "-r", folder.Path(QStringLiteral("names"))});
    EXPECT_TRUE(shown.out.startsWith(name + '\n')) << shown.out.toStdString();
    // Given as an argument, as a shell passes it.
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.Path(QStringLiteral("data")));
    shell.setProcessEnvironment(environment);
    shell.start(QStringLiteral("sh"),
                {"-c", R"sh(exec "$0" set --artist Name "$(printf '%s/caf\351.mp3' "$1")")sh",
                 QStringLiteral(KIVUNA_CLI), folder.Path(QStringLiteral("names"))});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    EXPECT_EQ(id3.ReadId3v2(platform::FromAnsi(name.constData()), false)[tagaccess::kArtist],
              "Name");
}

TEST(Cli, CopyNeedsItsSourceTag) {
    const TempFolder folder;
    const QString v1Only = tagfiles::MakeMp3(
        folder, QStringLiteral("v1.mp3"),
        QJsonObject{{"v1", QJsonObject{{"title", "One"}, {"artist", "Two"}, {"track", 5}}}});
    const QString none = tagfiles::MakeMp3(folder, QStringLiteral("none.mp3"));
    const clitest::CliResult copied = RunCli({"copy", "v1-to-v2", v1Only, none});
    EXPECT_EQ(copied.exitCode, 1);
    ASSERT_EQ(copied.errorLines.size(), 1) << copied.errorLines.join(u'\n').toStdString();
    EXPECT_TRUE(copied.errorLines[0].startsWith("kivuna-cli: " + none + ": "));
    const QJsonObject frames = ReadTags(v1Only)["v2"]["frames"].toObject();
    EXPECT_EQ(frames["TIT2"].toString(), "One");
    EXPECT_EQ(frames["TPE1"].toString(), "Two");
    EXPECT_EQ(frames["TRCK"].toString(), "5");
    EXPECT_TRUE(ReadTags(none)["v2"].isNull());
}

// A folder the walk cannot enter (here: its path is longer than the system takes) is one line on
// stderr and exit 1, never a silent gap; the files around it still go through.
TEST(Cli, AFolderTheWalkCannotEnterIsNamed) {
    const TempFolder folder;
    tagfiles::MakeMp3(folder, QStringLiteral("near.mp3"),
                      QJsonObject{{"v1", QJsonObject{{"title", "N"}}}});
    // Made one level at a time from open folders: no call takes the whole path.
    std::vector<int> levels = {
        ::open(QFile::encodeName(folder.Root()).constData(), O_RDONLY | O_DIRECTORY)};
    const QByteArray level(250, 'd');
    for (int depth = 0; depth < 18 && levels.back() >= 0; ++depth) {
        ASSERT_EQ(::mkdirat(levels.back(), level.constData(), 0755), 0);
        levels.push_back(::openat(levels.back(), level.constData(), O_RDONLY | O_DIRECTORY));
    }
    ASSERT_GE(levels.back(), 0);
    const int song = ::openat(levels.back(), "deep.mp3", O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(song, 0);
    const QByteArray audio = testsupport::SilentAudio();
    ASSERT_EQ(::write(song, audio.constData(), size_t(audio.size())), audio.size());
    ::close(song);
    // Taken away the same way afterwards: a removal by path could not reach it.
    const auto removeLevels = qScopeGuard([&] {
        ::unlinkat(levels.back(), "deep.mp3", 0);
        for (size_t i = levels.size() - 1; i > 0; --i) {
            ::close(levels[i]);
            ::unlinkat(levels[i - 1], level.constData(), AT_REMOVEDIR);
        }
        ::close(levels.front());
    });

    const clitest::CliResult synced = RunCli({"sync", folder.Root()});
    EXPECT_EQ(synced.exitCode, 1);
    ASSERT_EQ(synced.errorLines.size(), 1) << synced.errorLines.join(u'\n').toStdString();
    EXPECT_TRUE(synced.errorLines[0].contains("the folder cannot be read (File name too long)"))
        << synced.errorLines[0].toStdString();
    EXPECT_EQ(ReadTags(folder.Path(QStringLiteral("near.mp3")))["v2"]["frames"]["TIT2"].toString(),
              "N");
}

// Every bad path is one line on stderr and exit code 1; the good files still go through.
TEST(Cli, BadPathsFailOneLineEachAndTheBatchGoesOn) {
    const TempFolder folder;
    const QString good = tagfiles::MakeMp3(folder, QStringLiteral("good.mp3"),
                                           QJsonObject{{"v1", QJsonObject{{"title", "T"}}}});
    const QString missing = folder.Path(QStringLiteral("missing.mp3"));
    const QString locked = tagfiles::MakeMp3(folder, QStringLiteral("locked.mp3"),
                                             QJsonObject{{"v1", QJsonObject{{"title", "L"}}}});
    QStringList bad = {missing, folder.Root()};
    // The owner of the files cannot be kept from reading them when it is the superuser.
    if (geteuid() != 0) {
        QFile(locked).setPermissions(QFileDevice::Permissions());
        bad << locked;
    } else {
        std::puts("running as root: the unreadable-file case is left out");
    }
    const clitest::CliResult shown = RunCli(QStringList{"show", good} + bad);
    EXPECT_EQ(shown.exitCode, 1);
    ASSERT_EQ(shown.errorLines.size(), bad.size()) << shown.errorLines.join(u'\n').toStdString();
    for (qsizetype i = 0; i < bad.size(); ++i)
        EXPECT_TRUE(shown.errorLines[i].startsWith("kivuna-cli: " + bad[i] + ": "));
    EXPECT_TRUE(shown.out.contains(good.toUtf8()));

    const clitest::CliResult set = RunCli(QStringList{"set", "--title", "X", good} + bad);
    EXPECT_EQ(set.exitCode, 1);
    EXPECT_EQ(set.errorLines.size(), bad.size());
    EXPECT_EQ(ReadTags(good)["v1"]["title"].toString(), "X");

    const clitest::CliResult synced = RunCli({"sync", missing, good});
    EXPECT_EQ(synced.exitCode, 1);
    EXPECT_EQ(synced.errorLines.size(), 1);

    // Without tag text, an MP3 is left alone and anything else is named as no MP3.
    const QString noise = folder.Path(QStringLiteral("noise.mp3"));
    testsupport::WriteFile(noise, QByteArray(3000, 'n'));
    const QString bare = tagfiles::MakeMp3(folder, QStringLiteral("bare.mp3"), QJsonObject{});
    const clitest::CliResult untagged = RunCli({"sync", noise, bare});
    EXPECT_EQ(untagged.exitCode, 1);
    EXPECT_EQ(untagged.errorLines,
              QStringList{"kivuna-cli: " + noise + ": holds no MPEG audio: not an MP3 file"});
    EXPECT_TRUE(untagged.out.contains("1 file without tag text, left alone"));
}

TEST(Cli, WrongUsageExitsWithTwoAndTouchesNothing) {
    const TempFolder folder;
    const QString path = tagfiles::MakeMp3(folder, QStringLiteral("a.mp3"),
                                           QJsonObject{{"v1", QJsonObject{{"title", "T"}}}});
    const QByteArray bytes = testsupport::ReadFile(path);
    const QList<QStringList> wrong = {
        {},
        {"tag", path},
        {"show"},
        {"show", "--title", "X", path},
        {"set", path},
        {"set", "--track", "two", path},
        {"set", "--title"},
        {"set", "--v1=yes", "--title", "X", path},
        {"copy", path},
        {"sync", "--prefer", "3", path},
        {"organize", path},
        {"organize", "--to", path, path},
        {"organize", "--to", folder.Root(), "--pattern", "%bogus%", path},
        {"rename", "--pattern", "%artist%/%title%", path},
        {"rename", "--copy", path},
        {"from-names", "--pattern", "%filename%", path},
        {"from-names"},
        {"undo", "show"},
        {"undo", "rename", "organize"},
        {"help", "tag"}};
    for (const QStringList& args : wrong) {
        const clitest::CliResult result = RunCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(result.errorLines.isEmpty());
    }
    EXPECT_EQ(testsupport::ReadFile(path), bytes);
    for (const QStringList& args : QList<QStringList>{{"--help"},
                                                      {"help", "sync"},
                                                      {"set", "--help"},
                                                      {"copy", "-h"},
                                                      {"organize", "--help"},
                                                      {"help", "undo"}}) {
        const clitest::CliResult help = RunCli(args);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith("Usage: kivuna-cli")) << args.join(u' ').toStdString();
    }
}

// The tool stands on the core alone: the windows' toolkit is not among its libraries.
TEST(Cli, TheCoreLinksNoWidgets) {
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"), {"-d", KIVUNA_CLI});
    ASSERT_TRUE(readelf.waitForFinished(30000));
    const QByteArray needed = readelf.readAllStandardOutput();
    ASSERT_TRUE(needed.contains("libQt6Core")) << needed.toStdString();
    EXPECT_FALSE(needed.contains("libQt6Widgets"));
    EXPECT_FALSE(needed.contains("libQt6Gui"));
}

} // namespace
