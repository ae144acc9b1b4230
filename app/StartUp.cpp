#include "StartUp.h"

#include "editor/TForm1.h"
#include "editor/Unit1.h"
#include "organizer/ListFiles.h"
#include "organizer/TForm2.h"
#include "platform/ErrorBox.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxWindow.h"
#include "platform/PngDecoder.h"

#include <QCoreApplication>
#include <memory>

namespace app {

void InitializeUnits() {
    platform::UseMessageBoxWindow();
    platform::RegisterPngSupport();
    platform::RegisterFonts();
    editor::InitializeUnit1();
    organizer::InitializeListFiles();
}

void ShowWindow(QWidget& window) {
    if (window.isMinimized())
        window.showNormal();
    else
        window.show();
    window.raise();
    window.activateWindow();
}

void ShowOrganizer(QWidget& organizer) {
    ShowWindow(organizer);
}

void ConnectWindows(editor::TForm1& editor, organizer::TForm2& organizer) {
    QObject::connect(&editor, &editor::TForm1::OrganizerRequested, &organizer,
                     [&organizer] { ShowOrganizer(organizer); });
    // The editor's close ends the program; a search or run stops after the file in hand
    // instead of finishing first.
    QObject::connect(&editor, &editor::TForm1::Closing, &organizer, &organizer::TForm2::EndWork);
    // "Edit tags" > "Single" in the organizer's list opens the file in the editor.
    QObject::connect(&organizer, &organizer::TForm2::EditorRequested, &editor,
                     [&editor](const QString& path) {
                         editor.OpenFile(path);
                         ShowWindow(editor);
                     });
}

int RunWindows() {
    platform::Guard([] {
        auto form1 = std::make_unique<editor::TForm1>();
        // The organizer is created hidden and lives until the application ends; the editor's
        // button brings it up without blocking the editor.
        auto form2 = std::make_unique<organizer::TForm2>();
        ConnectWindows(*form1, *form2);
        form1->show();
        QCoreApplication::exec();
    });
    return 0;
}

} // namespace app
