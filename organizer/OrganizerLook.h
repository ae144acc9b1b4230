#pragma once

#include <QFont>
#include <QString>

class QTreeWidget;
class QWidget;

namespace organizer {

// A display font by name at a size in pixels, bold; where the font is missing a condensed bold
// sans stands in, so the step captions keep roughly their width.
QFont DisplayFont(const QString& family, int pixelSize);

// The look the organizer's layout declares beyond the shared one: "displayFamily" with
// "displayFontPixelSize" (a display font) and "fontBold". Captions are sized and fitted to their
// places again once their font is final.
void ApplyOrganizerLook(QWidget* root);

// Grid lines between the list's cells.
void ShowGridLines(QTreeWidget* list);

} // namespace organizer
