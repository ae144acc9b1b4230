#pragma once

class QColor;
class QWidget;

namespace platform {

// Applies the look that a window layout declares in dynamic properties of its controls:
// "fontPixelSize" (the window font at that size), "textColor" and "baseColor" (palette colours),
// "picture" (a picture loaded through the picture loader into a picture box or a button's icon),
// "autoSize" (the control fits its text) and "fitWidth" (see FitCaption). Raises the loader's
// error for a picture that cannot be loaded.
void ApplyLayoutLook(QWidget* root);

// Keeps a caption within the width its layout gives it in "fitWidth": where the font at hand
// draws it wider (a stand-in for the design's font, another resolution), its font shrinks until
// the text fits, and an auto-sized caption then fits its text again. Its place stays.
void FitCaption(QWidget* control);

// Sets the colour of a control's text (labels, edit boxes, combo boxes, buttons alike).
void SetTextColor(QWidget* control, const QColor& color);

} // namespace platform
