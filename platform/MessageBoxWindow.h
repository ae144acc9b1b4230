#pragma once

// The real message box behind ShowMessage, for the programs with windows.
namespace platform {

// Makes ShowMessage open a modal box with one OK button and the caption "Kivuna".
void UseMessageBoxWindow();

} // namespace platform
