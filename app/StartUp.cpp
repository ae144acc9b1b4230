#include "StartUp.h"

#include "editor/TForm1.h"
#include "editor/Unit1.h"
#include "organizer/ListFiles.h"
#include "platform/ErrorBox.h"
#include "platform/Fonts.h"
#include "platform/PngDecoder.h"

#include <QCoreApplication>
#include <memory>

namespace app {

void InitializeUnits() {
    platform::RegisterPngSupport();
    platform::RegisterFonts();
    editor::InitializeUnit1();
    organizer::InitializeListFiles();
}

int RunWindows() {
    platform::Guard([] {
        auto form1 = std::make_unique<editor::TForm1>();
        form1->show();
        QCoreApplication::exec();
    });
    return 0;
}

} // namespace app
