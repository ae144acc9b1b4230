// Entry point of the GUI test programs: the real application object and start-up order, on Qt's
// offscreen platform.
#include "app/KivunaApplication.h"
#include "app/StartUp.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    app::KivunaApplication application(argc, argv);
    app::InitializeUnits();
    return RUN_ALL_TESTS();
}
