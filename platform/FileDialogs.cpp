#include "FileDialogs.h"

#include <QFileDialog>
#include <utility>

namespace platform {
namespace {

FileDialogHandler& CurrentHandler() {
    static FileDialogHandler handler;
    return handler;
}

} // namespace

QString GetOpenFileName(QWidget* parent, const FileDialogRequest& request) {
    if (const FileDialogHandler& handler = CurrentHandler())
        return handler(request);
    // Qt's dialog neither changes the current folder nor records recent documents; links are
    // returned as themselves.
    return QFileDialog::getOpenFileName(parent, request.title, request.startFolder, request.filter,
                                        nullptr, QFileDialog::DontResolveSymlinks);
}

QString GetExistingDirectory(QWidget* parent, const FileDialogRequest& request) {
    if (const FileDialogHandler& handler = CurrentHandler())
        return handler(request);
    return QFileDialog::getExistingDirectory(parent, request.title, request.startFolder);
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

} // namespace platform
