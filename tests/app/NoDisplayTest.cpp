#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

// Starts Kivuna with no display but the X display named, if any, and waits for it to end.
Outcome RunKivuna(const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess kivuna;
    kivuna.setProcessEnvironment(environment);
    kivuna.start(QStringLiteral(KIVUNA_PROGRAM), QStringList{});
    EXPECT_TRUE(kivuna.waitForFinished(60000));
    return {kivuna.exitStatus(), kivuna.exitCode(), kivuna.readAllStandardOutput(),
            kivuna.readAllStandardError()};
}

// A display number that no X server on this machine serves.
QString SilentDisplay() {
    int number = 90;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
           QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
        ++number;
    return QStringLiteral(":%1").arg(number);
}

TEST(NoDisplayTest, NoDisplayAndASilentOneEndKivunaAlikeWithOneLine) {
    const Outcome unset = RunKivuna(QString());
    const Outcome silent = RunKivuna(SilentDisplay());
    EXPECT_EQ(unset.status, QProcess::NormalExit);
    EXPECT_EQ(silent.status, QProcess::NormalExit) << "no abort";
    EXPECT_EQ(unset.exitCode, 2) << "the code the README gives";
    EXPECT_EQ(silent.exitCode, unset.exitCode);
    EXPECT_TRUE(unset.errors.startsWith("Kivuna needs a graphical desktop")) << unset.errors.data();
    EXPECT_EQ(unset.errors.count('\n'), 1);
    EXPECT_TRUE(unset.errors.endsWith('\n'));
    EXPECT_EQ(silent.errors, unset.errors);
    EXPECT_TRUE(unset.output.isEmpty() && silent.output.isEmpty());
}

} // namespace
