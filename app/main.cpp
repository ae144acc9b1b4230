#include "KivunaApplication.h"
#include "StartUp.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display the toolkit would abort with its own message; say plainly what is missing.
bool DisplayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv) {
    if (!DisplayAvailable()) {
        std::fputs(
            "Kivuna needs a graphical desktop, and no display was found (DISPLAY is not set); "
            "to try it without one, run: xvfb-run -a scripts/run.sh\n",
            stderr);
        return 0;
    }
    app::KivunaApplication application(argc, argv);
    app::InitializeUnits();
    return app::RunWindows();
}
