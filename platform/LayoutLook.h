#pragma once

class QColor;
class QWidget;

namespace platform {

// Applies the look that a window layout declares in dynamic properties of its controls:
// "fontPixelSize" (the window font at that size), "textColor" and "baseColor" (palette colours),
// "picture" (a picture loaded through the picture loader into a picture box or a button's icon)
// and "autoSize" (the control fits its text). Raises the loader's error for a picture that cannot
// be loaded.
void ApplyLayoutLook(QWidget* root);

// Sets the colour of a control's text (labels, edit boxes, combo boxes, buttons alike).
void SetTextColor(QWidget* control, const QColor& color);

} // namespace platform
