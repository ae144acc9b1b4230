#include "TagFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <poll.h>
#include <string_view>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

using testsupport::TempFolder;

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program in `folder` with an environment that names no library folder of the build.
Outcome RunIn(const QString& folder, const QString& program, const QStringList& args) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LD_LIBRARY_PATH"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

class InstallTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = new TempFolder;
        const Outcome install = RunIn(QDir::tempPath(), QStringLiteral(CMAKE_COMMAND),
                                      {"--install", KIVUNA_BUILD_DIR, "--prefix", prefix_->Root()});
        ASSERT_EQ(install.exitCode, 0) << install.err.toStdString();
    }
    static void TearDownTestSuite() { delete prefix_; }

    static QString Installed(const QString& path) { return prefix_->Root() + u'/' + path; }

    TempFolder elsewhere;
    static TempFolder* prefix_;
};

TempFolder* InstallTest::prefix_ = nullptr;

TEST_F(InstallTest, EverythingLiesWhereTheDesktopLooksForIt) {
    for (const char* path :
         {"bin/kivuna", "bin/kivuna-cli", "lib/kivuna/ID3v2Library.dll",
          "share/kivuna/Res/lock.png", "share/applications/org.kivuna.Kivuna.desktop",
          "share/metainfo/org.kivuna.Kivuna.metainfo.xml",
          "share/icons/hicolor/48x48/apps/org.kivuna.Kivuna.png",
          "share/icons/hicolor/scalable/apps/org.kivuna.Kivuna.svg", "share/man/man1/kivuna.1.gz",
          "share/man/man1/kivuna-cli.1.gz", "share/doc/kivuna/copyright",
          "share/doc/kivuna/changelog.gz"})
        EXPECT_TRUE(QFile::exists(Installed(QString::fromLatin1(path)))) << path;
}

// Run from a folder of its own, the installed tool finds the installed library; a library in
// the current folder is never loaded, even when none is installed.
TEST_F(InstallTest, TheInstalledToolFindsItsLibraryAndNeverTheCurrentFolders) {
    const QString song = tagfiles::MakeMp3(elsewhere, QStringLiteral("song.mp3"),
                                           QJsonObject{{"v1", QJsonObject{{"title", "Away"}}}});
    const QString cli = Installed(QStringLiteral("bin/kivuna-cli"));
    const Outcome shown = RunIn(elsewhere.Root(), cli, {"show", "song.mp3"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_TRUE(shown.out.contains("Away"));

    const QString library = Installed(QStringLiteral("lib/kivuna/ID3v2Library.dll"));
    ASSERT_TRUE(QFile::rename(library, library + QStringLiteral(".away")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KIVUNA_BUILD_DIR "/bin/ID3v2Library.dll"),
                            elsewhere.Path(QStringLiteral("ID3v2Library.dll"))));
    const Outcome without = RunIn(elsewhere.Root(), cli, {"show", "song.mp3"});
    ASSERT_TRUE(QFile::rename(library + QStringLiteral(".away"), library));
    EXPECT_EQ(without.exitCode, 1);
    EXPECT_TRUE(without.err.startsWith("kivuna-cli: ")) << without.err.toStdString();
    EXPECT_TRUE(without.err.contains("ID3v2Library.dll"));
    EXPECT_EQ(without.err.count('\n'), 1);
}

// Names of the files opened in `folder`, as the kernel reports them, while `running` says so,
// until `enough` says so, or a minute has passed.
template <typename Running, typename Enough>
QStringList OpenedIn(const QByteArray& folder, Running&& running, Enough&& enough) {
    const int watch = inotify_init1(IN_CLOEXEC);
    EXPECT_GE(watch, 0);
    EXPECT_GE(inotify_add_watch(watch, folder.constData(), IN_OPEN), 0);
    QStringList opened;
    pollfd events{watch, POLLIN, 0};
    for (int waited = 0; !enough(opened) && running() && waited < 60000; waited += 200) {
        if (poll(&events, 1, 200) <= 0)
            continue;
        alignas(inotify_event) char buffer[4096];
        const ssize_t n = read(watch, buffer, sizeof buffer);
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0)
                opened << QString::fromUtf8(event->name);
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    close(watch);
    return opened;
}

TEST_F(InstallTest, TheInstalledEditorStartsOffscreenFromAnotherFolder) {
    QProcess kivuna;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    kivuna.setProcessEnvironment(environment);
    kivuna.setWorkingDirectory(elsewhere.Root());
    kivuna.start(Installed(QStringLiteral("bin/kivuna")), {});
    ASSERT_TRUE(kivuna.waitForStarted());
    EXPECT_FALSE(kivuna.waitForFinished(2000)) << kivuna.readAllStandardError().toStdString();
    kivuna.kill();
    kivuna.waitForFinished();
}

// The editor loads its Res pictures when the edit switch is pointed at and clicked, which takes
// a real display and pointer.
TEST_F(InstallTest, TheInstalledEditorFindsItsPictures) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xvfb-run or xdotool is not installed (Debian: xvfb, xdotool): the "
                        "installed editor's pictures are not checked";
    const QByteArray res = Installed(QStringLiteral("share/kivuna/Res")).toUtf8();
    const auto enough = [](const QStringList& names) {
        return names.contains(QStringLiteral("Black_HL.png")) &&
               names.contains(QStringLiteral("lock_off.png"));
    };
    QStringList opened;
    // Other programs on the machine may take the display number xvfb-run chose at the same
    // moment: a second try starts from another number.
    for (int attempt = 0; attempt < 2 && !enough(opened); ++attempt) {
        const QString seen = elsewhere.Path(QStringLiteral("seen%1").arg(attempt));
        QProcess display;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        display.setProcessEnvironment(environment);
        display.setWorkingDirectory(elsewhere.Root());
        display.start(xvfb,
                      {"-a", "-n", QString::number(100 + (getpid() + attempt * 37) % 800),
                       QStringLiteral(KIVUNA_SOURCE_DIR "/tests/install/click_edit_switch.sh"),
                       Installed(QStringLiteral("bin/kivuna")), seen});
        opened = OpenedIn(
            res, [&] { return !display.waitForFinished(0); }, enough);
        testsupport::WriteFile(seen, QByteArray());
        EXPECT_TRUE(display.waitForFinished(120000));
        std::printf("try %d: %s", attempt + 1, display.readAllStandardError().constData());
    }
    EXPECT_TRUE(opened.contains(QStringLiteral("Black_HL.png"))) << opened.join(u' ').toStdString();
    EXPECT_TRUE(opened.contains(QStringLiteral("lock_off.png"))) << opened.join(u' ').toStdString();
}

// Checks that need tools of their own run only where those are installed.
TEST_F(InstallTest, DesktopEntryAndMetadataValidate) {
    bool ran = false;
    for (const auto& [tool, file] :
         {std::pair{"desktop-file-validate", "share/applications/org.kivuna.Kivuna.desktop"},
          std::pair{"appstreamcli", "share/metainfo/org.kivuna.Kivuna.metainfo.xml"}}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (program.isEmpty()) {
            std::printf("%s is not installed (Debian: %s): its check is skipped\n", tool,
                        std::string_view(tool) == "appstreamcli" ? "appstream"
                                                                 : "desktop-file-utils");
            continue;
        }
        QStringList args{Installed(QString::fromLatin1(file))};
        if (program.endsWith(QStringLiteral("appstreamcli")))
            args = QStringList{"validate", "--no-net"} + args;
        const Outcome check = RunIn(elsewhere.Root(), program, args);
        EXPECT_EQ(check.exitCode, 0) << tool << ":\n"
                                     << check.out.toStdString() << check.err.toStdString();
        ran = true;
    }
    if (!ran)
        GTEST_SKIP() << "neither desktop-file-validate nor appstreamcli is installed";
}

} // namespace
