#include "BatchRun.h"

#include "MessagePump.h"
#include "TForm2.h"
#include "TForm2WorkScope.h"
#include "platform/OneCpu.h"
#include "platform/RuntimeText.h"
#include "platform/SearchAnimation.h"
#include "ui_TForm2.h"

namespace organizer {
namespace {

// Window messages wait at most this long during a run: the counters move smoothly and the stop
// button answers at once, without a repaint for every file.
constexpr int kRepaintIntervalMs = 20;

// The progress caption for the scope's lifetime, then "Progress" again.
class ProgressCaption {
  public:
    ProgressCaption(QLabel* label, const QString& caption)
        : label_(caption.isEmpty() ? nullptr : label) {
        Set(caption);
    }
    ~ProgressCaption() { Set(QStringLiteral("Progress")); }
    ProgressCaption(const ProgressCaption&) = delete;
    ProgressCaption& operator=(const ProgressCaption&) = delete;

  private:
    void Set(const QString& text) {
        if (!label_)
            return;
        label_->setText(text);
        label_->adjustSize();
    }
    QLabel* label_;
};

} // namespace

BatchRun::BatchRun(TForm2& form, QString caption, Bar bar)
    : form_(form), caption_(std::move(caption)), bar_(bar) {}

int BatchRun::Run(int count, const Job& job) {
    Ui::TForm2& ui = *form_.ui_;
    const TForm2::WorkScope work(form_);
    const ProgressCaption caption(ui.Label9, caption_);
    const int oldMaximum = ui.ProgressBar1->maximum();
    done_ = 0;
    notDone_ = 0;
    if (bar_ == Bar::FitsRun)
        ui.ProgressBar1->setRange(0, std::max(count, 1));
    ui.ProgressBar1->setValue(0);
    ui.Animate1->Start();
    ui.Animate1->show();
    form_.Running = 1;
    for (QLabel* counter : {ui.Label8, ui.Label16, ui.Label18})
        counter->setText(QStringLiteral("0"));

    MessagePump pump(kRepaintIntervalMs);
    int taken = 0;
    {
        // One CPU for the loop: a job that loads and unloads the tag library per file is faster so.
        const platform::OneCpu pinned;
        for (; taken < count && form_.Running != 0; ++taken) {
            if (job(taken) == BatchOutcome::Done)
                ++done_;
            else
                ++notDone_;
            ui.Label8->setText(platform::IntToStr(taken + 1));
            ui.ProgressBar1->setValue(
                std::min(ui.ProgressBar1->value() + 1, ui.ProgressBar1->maximum()));
            ui.Label16->setText(platform::IntToStr(done_));
            ui.Label18->setText(platform::IntToStr(notDone_));
            pump();
        }
    }
    stopped_ = taken < count;
    ui.ProgressBar1->setValue(0);
    ui.ProgressBar1->setRange(0, oldMaximum);
    ui.Animate1->Stop();
    ui.Animate1->hide();
    return taken;
}

} // namespace organizer
