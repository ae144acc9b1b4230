#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

// Failed comparisons of texts print the texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

#include "platform/ErrorBox.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"

// Helpers shared by the test programs: temporary folders, real MP3 files, the independent reader
// (mutagen on Debian's python3) and the message-box seam.
namespace testsupport {

// The file name every program loads the tag library by.
inline constexpr char kLibraryName[] = "ID3v2Library.dll";

// A temporary folder that lives as long as the object.
class TempFolder {
  public:
    TempFolder();
    QString Path(const QString& name) const;
    const QString& Root() const { return root_; }

  private:
    QTemporaryDir dir_;
    QString root_;
};

// `frames` silent MPEG-1 Layer III frames (128 kbit/s, 44.1 kHz): real audio that every reader
// accepts. Each frame differs in its last bytes, so moved or damaged audio is noticed.
QByteArray SilentAudio(int frames = 20);

// A folder on another file system than `than` (a tmpfs), when the machine has one; else nothing.
std::unique_ptr<QTemporaryDir> OtherFileSystem(const QString& than);

// Writes bytes to a file; fails the test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

// Runs /usr/bin/python3 with the script and arguments; answers standard output. The test fails
// when the script exits non-zero.
QByteArray RunPython(const QString& script, const QStringList& args = {});

// Folder of the repository's sources (tests/tools lives there).
QString SourceDir();

// Collects what the message boxes and the error box show, instead of opening them, for the life
// of the object.
class MessageCapture {
  public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const QStringList& Texts() const { return texts_; }
    const QStringList& Errors() const { return errors_; }

  private:
    QStringList texts_;
    QStringList errors_;
    platform::MessageHandler previous_;
    platform::ErrorHandler previousErrors_;
};

// Answers the open-file and folder dialogs with `answer` and records what they were asked, for the
// life of the object.
class DialogAnswers {
  public:
    DialogAnswers();
    ~DialogAnswers();
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    QString answer;
    std::vector<platform::FileDialogRequest> requests;

  private:
    platform::FileDialogHandler previous_;
};

// A window's control by its name; fails the test when there is none.
template <typename T = QWidget> T* FindControl(const QWidget* window, const char* name) {
    T* control = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

} // namespace testsupport
