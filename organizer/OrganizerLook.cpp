#include "OrganizerLook.h"

#include "platform/LayoutLook.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace organizer {
namespace {

// Draws each cell as usual, then its right and bottom edges.
class GridLineDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QRect cell = option.rect;
        painter->save();
        painter->setPen(QColor(192, 192, 192));
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->restore();
    }
};

} // namespace

QFont DisplayFont(const QString& family, int pixelSize) {
    QFont font;
    font.setFamilies(
        {family, QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

void ApplyOrganizerLook(QWidget* root) {
    const QList<QWidget*> controls = root->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (const QVariant family = control->property("displayFamily"); family.isValid())
            control->setFont(
                DisplayFont(family.toString(), control->property("displayFontPixelSize").toInt()));
        if (control->property("fontBold").toBool()) {
            QFont font = control->font();
            font.setBold(true);
            control->setFont(font);
        }
        // Sizes to fit the text once the font is final.
        if (control->property("autoSize").toBool())
            control->adjustSize();
        platform::FitCaption(control);
    }
}

void ShowGridLines(QTreeWidget* list) {
    list->setItemDelegate(new GridLineDelegate(list));
}

} // namespace organizer
