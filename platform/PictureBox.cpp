#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {}

void PictureBox::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void PictureBox::setStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void PictureBox::setProportional(bool proportional) {
    proportional_ = proportional;
    update();
}

QRect PictureBox::PictureRect() const {
    const QSize box = size();
    QSize shown = picture_.size();
    if (stretch_ && !proportional_)
        return rect();
    if (stretch_ ||
        (proportional_ && (shown.width() > box.width() || shown.height() > box.height())))
        shown.scale(box, Qt::KeepAspectRatio);
    // Scaled pictures are centred; a plain one sits in the top left corner.
    if (stretch_ || proportional_)
        return QRect(QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2),
                     shown);
    return QRect(QPoint(0, 0), shown);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    if (picture_.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(PictureRect(), picture_);
    if (!text().isEmpty()) {
        painter.end();
        QLabel::paintEvent(event);
    }
}

void PictureBox::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    emit MouseEnter();
}

void PictureBox::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    emit MouseLeave();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        clickPending_ = true;
    emit MouseDown();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        clickPending_ = false;
    emit MouseDown();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    emit MouseUp();
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = clickPending_ && rect().contains(event->position().toPoint());
    clickPending_ = false;
    if (click)
        emit Click();
}

} // namespace platform
