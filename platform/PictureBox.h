#pragma once

#include <QImage>
#include <QLabel>

namespace platform {

// A picture box with mouse events: shows a picture (plain, stretched to the box, or scaled to fit
// keeping its proportions) or, without a picture, its text like a label; and signals the pointer
// entering and leaving and any button pressed and released. A click is the left button pressed
// and released on the box; the second press of a double click starts no second click.
class PictureBox : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool proportional READ proportional WRITE setProportional)

  public:
    explicit PictureBox(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

    bool stretch() const { return stretch_; }
    void setStretch(bool stretch);
    // With stretch: scale keeping proportions. Without: shrink only pictures larger than the box.
    bool proportional() const { return proportional_; }
    void setProportional(bool proportional);

  signals:
    void MouseEnter();
    void MouseLeave();
    void MouseDown();
    void MouseUp();
    void Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QRect PictureRect() const;

    QImage picture_;
    bool stretch_ = false;
    bool proportional_ = false;
    // The left button went down on the box as the start of a click.
    bool clickPending_ = false;
};

} // namespace platform
