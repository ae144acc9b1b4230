#include "KivunaApplication.h"

#include "platform/ErrorBox.h"

namespace app {

KivunaApplication::KivunaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Kivuna"));
    setApplicationDisplayName(QStringLiteral("Kivuna"));
    // Only the editor's close ends the program; hiding the organizer must not.
    setQuitOnLastWindowClosed(false);
}

bool KivunaApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    platform::Guard([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace app
