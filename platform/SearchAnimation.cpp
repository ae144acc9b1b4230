#include "SearchAnimation.h"

#include <QPainter>
#include <cmath>
#include <numbers>

namespace platform {

SearchAnimation::SearchAnimation(QWidget* parent) : QWidget(parent) {
    setFixedSize(16, 16);
    timer_.setInterval(90);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrames;
        update();
    });
}

void SearchAnimation::Start() {
    frame_ = 0;
    timer_.start();
    update();
}

void SearchAnimation::Stop() {
    timer_.stop();
    frame_ = kFrames - 1;
    update();
}

void SearchAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The page with its lines of text.
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 0.5, 10, 13));
    painter.setPen(QColor(150, 150, 170));
    for (int line = 0; line < 4; ++line)
        painter.drawLine(QPointF(3.5, 3 + 2.5 * line), QPointF(9.5, 3 + 2.5 * line));
    // The magnifier circles over the page, one step a frame.
    const double angle = 2 * std::numbers::pi * frame_ / kFrames;
    const QPointF centre(7.5 + 2.5 * std::cos(angle), 6.5 + 2.5 * std::sin(angle));
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(QColor(170, 210, 255, 170));
    painter.drawEllipse(centre, 3.2, 3.2);
    painter.setPen(QPen(QColor(120, 80, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(2.4, 2.4), centre + QPointF(5.5, 5.5));
}

} // namespace platform
