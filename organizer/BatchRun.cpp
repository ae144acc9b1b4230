#include "BatchRun.h"

#include "MessagePump.h"
#include "TForm2.h"
#include "TForm2WorkScope.h"
#include "platform/RuntimeText.h"
#include "platform/SearchAnimation.h"
#include "tagjobs/RunKinds.h"
#include "ui_TForm2.h"

namespace organizer {
namespace {

// Window messages wait at most this long during a run: the counters move smoothly and the stop
// button answers at once, without a repaint for every file.
constexpr int kRepaintIntervalMs = 20;

} // namespace

// What the window shows while a run lasts: work in progress, the caption, the bar's range and
// the busy animation; all back as they were when it ends.
class BatchRun::Shown {
  public:
    Shown(TForm2& form, Ui::TForm2& ui, const QString& caption, int total, Bar bar)
        : work_(form), ui_(ui), caption_(caption.isEmpty() ? nullptr : ui.Label9),
          oldMaximum_(ui.ProgressBar1->maximum()) {
        SetCaption(caption);
        if (bar == Bar::FitsRun)
            ui.ProgressBar1->setRange(0, std::max(total, 1));
        ui.ProgressBar1->setValue(0);
        ui.Animate1->Start();
        ui.Animate1->show();
        form.Running = 1;
        for (QLabel* counter : {ui.Label8, ui.Label16, ui.Label18})
            counter->setText(QStringLiteral("0"));
    }
    ~Shown() {
        SetCaption(QStringLiteral("Progress"));
        ui_.ProgressBar1->setValue(0);
        ui_.ProgressBar1->setRange(0, oldMaximum_);
        ui_.Animate1->Stop();
        ui_.Animate1->hide();
    }
    Shown(const Shown&) = delete;
    Shown& operator=(const Shown&) = delete;

  private:
    void SetCaption(const QString& text) {
        if (!caption_)
            return;
        caption_->setText(text);
        caption_->adjustSize();
    }

    const TForm2::WorkScope work_;
    Ui::TForm2& ui_;
    QLabel* caption_;
    int oldMaximum_;
};

BatchRun::BatchRun(TForm2& form, Bar bar) : form_(form), bar_(bar) {}

BatchRun::~BatchRun() = default;

void BatchRun::RunBegins(const QString& caption, int total) {
    done_ = 0;
    notDone_ = 0;
    shown_ = std::make_unique<Shown>(form_, *form_.ui_, caption, total, bar_);
    pump_ = std::make_unique<MessagePump>(kRepaintIntervalMs);
}

void BatchRun::FileEnds(const QString& path, const tagjobs::FileOutcome& outcome) {
    Ui::TForm2& ui = *form_.ui_;
    if (outcome.done)
        ++done_;
    else
        ++notDone_;
    if (!outcome.done && !outcome.failure.isEmpty())
        failures_.emplace_back(path, outcome.failure);
    ui.Label8->setText(platform::IntToStr(done_ + notDone_));
    ui.ProgressBar1->setValue(std::min(ui.ProgressBar1->value() + 1, ui.ProgressBar1->maximum()));
    ui.Label16->setText(platform::IntToStr(done_));
    ui.Label18->setText(platform::IntToStr(notDone_));
    (*pump_)();
}

bool BatchRun::ShouldStop() {
    return form_.Running == 0;
}

void BatchRun::RunEnds() {
    pump_.reset();
    shown_.reset();
}

QString BatchRun::FrontEnd() const {
    return tagjobs::kWindowFrontEnd;
}

} // namespace organizer
