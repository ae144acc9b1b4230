#include "LayoutLook.h"

#include "Fonts.h"
#include "PictureBox.h"
#include "PictureLoader.h"

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <algorithm>

namespace platform {

void SetTextColor(QWidget* control, const QColor& color) {
    QPalette palette = control->palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, color);
        palette.setColor(group, QPalette::Text, color);
        palette.setColor(group, QPalette::ButtonText, color);
    }
    control->setPalette(palette);
    // An editable combo box draws its text in its own line edit.
    if (auto* combo = qobject_cast<QComboBox*>(control);
        combo != nullptr && combo->lineEdit() != nullptr)
        combo->lineEdit()->setPalette(palette);
}

void ApplyLayoutLook(QWidget* root) {
    const QList<QWidget*> controls = root->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (const QVariant size = control->property("fontPixelSize"); size.isValid())
            control->setFont(WindowFont(size.toInt()));
        if (const QVariant color = control->property("textColor"); color.isValid())
            SetTextColor(control, QColor(color.toString()));
        if (const QVariant color = control->property("baseColor"); color.isValid()) {
            QPalette palette = control->palette();
            palette.setColor(QPalette::Base, QColor(color.toString()));
            control->setPalette(palette);
        }
        if (const QVariant picture = control->property("picture"); picture.isValid()) {
            const QImage image = LoadPicture(picture.toString());
            if (auto* box = qobject_cast<PictureBox*>(control))
                box->SetPicture(image);
            else if (auto* button = qobject_cast<QAbstractButton*>(control))
                button->setIcon(QIcon(QPixmap::fromImage(image)));
        }
        if (control->property("autoSize").toBool())
            control->adjustSize();
        FitCaption(control);
    }
}

void FitCaption(QWidget* control) {
    const QVariant fitWidth = control->property("fitWidth");
    if (!fitWidth.isValid())
        return;
    QFont font = control->font();
    // Below two thirds of its size a caption is no longer legible as designed; it is cut there.
    const int smallest = std::max(1, font.pixelSize() * 2 / 3);
    while (control->sizeHint().width() > fitWidth.toInt() && font.pixelSize() > smallest) {
        font.setPixelSize(font.pixelSize() - 1);
        control->setFont(font);
    }
    if (control->property("autoSize").toBool()) {
        control->adjustSize();
        control->resize(std::min(control->width(), fitWidth.toInt()), control->height());
    }
}

} // namespace platform
