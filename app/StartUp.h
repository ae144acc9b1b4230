#pragma once

class QWidget;

// The order in which Kivuna comes up, made explicit rather than left to static initialisation.
namespace app {

// PNG support, then the editor's unit, then the organizer's unit.
void InitializeUnits();

// Shows the organizer window, or brings it to the front, without waiting for it.
void ShowOrganizer(QWidget& organizer);

// Creates the windows and runs the message loop; any failure that reaches here is shown in the
// error box. Always answers 0.
int RunWindows();

} // namespace app
