#pragma once

#include <QFont>

namespace platform {

// Makes the window font available: Tahoma where installed, else the metric-compatible Tahoma
// that Debian's fonts-wine ships outside the font path. Without either, the system sans stands in.
void RegisterFonts();

// The window font at a size in pixels.
QFont WindowFont(int pixelSize);

} // namespace platform
