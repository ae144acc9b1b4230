#pragma once

class QWidget;

namespace editor {
class TForm1;
}
namespace organizer {
class TForm2;
}

// The order in which Kivuna comes up, made explicit rather than left to static initialisation.
namespace app {

// PNG support, then the editor's unit, then the organizer's unit.
void InitializeUnits();

// Shows a window, or brings it to the front, without waiting for it.
void ShowWindow(QWidget& window);
void ShowOrganizer(QWidget& organizer);

// The editor's button brings up the organizer; closing the editor ends the organizer's work; the
// organizer's "Single" opens a file in the editor.
void ConnectWindows(editor::TForm1& editor, organizer::TForm2& organizer);

// Creates the windows and runs the message loop; any failure that reaches here is shown in the
// error box. Always answers 0.
int RunWindows();

} // namespace app
