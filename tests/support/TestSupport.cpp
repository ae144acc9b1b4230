#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace testsupport {

TempFolder::TempFolder() : root_(dir_.path()) {
    EXPECT_TRUE(dir_.isValid());
}

QString TempFolder::Path(const QString& name) const {
    return root_ + u'/' + name;
}

QByteArray SilentAudio(int frames) {
    // Header FF FB 90 64: MPEG-1, Layer III, no CRC, 128 kbit/s, 44.1 kHz, no padding, joint
    // stereo; 417 bytes a frame.
    constexpr int kFrameSize = 417;
    QByteArray audio;
    audio.reserve(frames * kFrameSize);
    for (int i = 0; i < frames; ++i) {
        QByteArray frame(kFrameSize, '\0');
        frame[0] = char(0xFF);
        frame[1] = char(0xFB);
        frame[2] = char(0x90);
        frame[3] = char(0x64);
        frame[kFrameSize - 1] = char(i & 0xFF);
        audio += frame;
    }
    return audio;
}

std::unique_ptr<QTemporaryDir> OtherFileSystem(const QString& than) {
    const auto device = [](const QString& path) {
        struct stat status {};
        ::stat(QFile::encodeName(path).constData(), &status);
        return status.st_dev;
    };
    auto dir = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/kivuna-XXXXXX"));
    if (!dir->isValid() || device(dir->path()) == device(than))
        return nullptr;
    return dir;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray RunPython(const QString& script, const QStringList& args) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral("-c"), script} + args);
    EXPECT_TRUE(python.waitForFinished(120000));
    const QByteArray err = python.readAllStandardError();
    EXPECT_EQ(python.exitCode(), 0) << err.toStdString();
    return python.readAllStandardOutput();
}

QString SourceDir() {
    return qEnvironmentVariable("KIVUNA_SOURCE_DIR", QStringLiteral(KIVUNA_SOURCE_DIR));
}

MessageCapture::MessageCapture()
    : previous_(platform::SetMessageHandler([this](const QString& text) { texts_ << text; })),
      previousErrors_(platform::SetErrorHandler([this](const QString& text) { errors_ << text; })) {
}

MessageCapture::~MessageCapture() {
    platform::SetMessageHandler(std::move(previous_));
    platform::SetErrorHandler(std::move(previousErrors_));
}

DialogAnswers::DialogAnswers()
    : previous_(platform::SetFileDialogHandler([this](const platform::FileDialogRequest& request) {
          requests.push_back(request);
          return answer;
      })) {}

DialogAnswers::~DialogAnswers() {
    platform::SetFileDialogHandler(std::move(previous_));
}

} // namespace testsupport
