#pragma once

#include <QString>
#include <functional>

class QWidget;

// The open-file and select-folder dialogs, routed through one seam that tests can answer.
namespace platform {

struct FileDialogRequest {
    QString title;
    QString filter;      // "Music files (*.mp3)" style; empty for folders
    QString startFolder; // empty: the dialog's own choice
};

// Answers the chosen path, or the empty text when the user cancelled.
using FileDialogHandler = std::function<QString(const FileDialogRequest& request)>;

// Asks for one existing file; the process's current folder is left unchanged.
QString GetOpenFileName(QWidget* parent, const FileDialogRequest& request);

// Asks for one existing folder.
QString GetExistingDirectory(QWidget* parent, const FileDialogRequest& request);

// Routes both dialogs to the handler (empty: the real dialogs); answers the previous one.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

} // namespace platform
