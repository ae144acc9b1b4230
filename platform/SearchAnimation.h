#pragma once

#include <QTimer>
#include <QWidget>

namespace platform {

// The busy animation of a file search: a magnifier sweeping over a page, 16 by 16, played on a
// timer while work runs. Stopped, it rests on its stop frame.
class SearchAnimation : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kFrames = 8;

    explicit SearchAnimation(QWidget* parent = nullptr);

    void Start();
    void Stop();
    bool Active() const { return timer_.isActive(); }
    int Frame() const { return frame_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QTimer timer_;
    int frame_ = kFrames - 1;
};

} // namespace platform
