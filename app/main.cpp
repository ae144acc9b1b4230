#include "KivunaApplication.h"
#include "StartUp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

// What Kivuna answers when it finds no display to open its windows on (see the README).
constexpr int kNoDisplayExitCode = 2;

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Whether the X display named by DISPLAY accepts a connection.
bool XDisplayAnswers() {
    int screen = 0;
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, &screen), &xcb_disconnect);
    return connection != nullptr && xcb_connection_has_error(connection.get()) == 0;
}

// Without a display the toolkit aborts with messages of its own; say plainly what is missing
// instead. The X11 platform gives up on a display that does not answer in the same way, so that
// display is tried first. Other platforms named by QT_QPA_PLATFORM, and Wayland, are left to the
// toolkit.
bool DisplayAvailable() {
    if (Set("QT_QPA_PLATFORM") && std::strncmp(std::getenv("QT_QPA_PLATFORM"), "xcb", 3) != 0)
        return true;
    if (Set("WAYLAND_DISPLAY"))
        return true;
    return Set("DISPLAY") && XDisplayAnswers();
}

} // namespace

int main(int argc, char** argv) {
    if (!DisplayAvailable()) {
        std::fputs("Kivuna needs a graphical desktop, and no display answered (DISPLAY is not set "
                   "or names a display that does not answer); to try it without one, run: "
                   "xvfb-run -a kivuna\n",
                   stderr);
        return kNoDisplayExitCode;
    }
    app::KivunaApplication application(argc, argv);
    app::InitializeUnits();
    return app::RunWindows();
}
