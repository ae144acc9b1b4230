#include "TForm2.h"

#include "OrganizerLook.h"
#include "TForm2Handlers.h"
#include "TForm2WorkScope.h"
#include "platform/Fonts.h"
#include "platform/LayoutLook.h"
#include "platform/RuntimeText.h"
#include "platform/SearchAnimation.h"
#include "ui_TForm2.h"

#include <QDir>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>
#include <QStandardPaths>

namespace organizer {
namespace {

const QColor kCream(255, 251, 240);
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);
const QColor kAqua(0, 255, 255);
const QColor kGrey(128, 128, 128);

// A step caption in its colour; while its step is disabled it is greyed.
void SetStepCaptionColor(QWidget* caption, const QColor& color) {
    platform::SetTextColor(caption, color);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText, kGrey);
    caption->setPalette(palette);
}

// The user's music folder where it exists, else the home folder.
QString FirstFolder() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (!music.isEmpty() && QDir(music).exists())
        return music;
    return QDir::homePath();
}

} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent), FoundPaths(MaxFoundFiles), TagRows(MaxFoundFiles),
      UnresolvedPaths(MaxFoundFiles), ui_(std::make_unique<Ui::TForm2>()) {
    ui_->setupUi(this);
    setFont(platform::WindowFont(11));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kCream);
    setPalette(palette);
    setAutoFillBackground(true);
    platform::ApplyLayoutLook(this);
    ApplyOrganizerLook(this);
    ShowGridLines(ui_->ListView1);
    for (QWidget* caption : {ui_->Label1, ui_->Label2, ui_->Label3})
        SetStepCaptionColor(caption, kYellow);
    ui_->ListView1->header()->setStretchLastSection(false);
    ui_->ListView1->header()->setSectionsMovable(false);
    ui_->ListView1->setColumnWidth(0, 300);
    ui_->ListView1->setColumnWidth(1, 689);
    ui_->ProgressBar1->setStyleSheet(
        QStringLiteral("QProgressBar { background: #ffff80; border: 1px solid #808080; }"
                       "QProgressBar::chunk { background: #0000ff; }"));
    // The found count follows its caption, whose stand-in font may be wider than the design's.
    ui_->Label7->move(std::max(160, ui_->Label5->geometry().right() + 8), ui_->Label7->y());
    setMinimumSize(992, 665);
    resize(992, 665);
    move(0, 0);

    BuildStatusBar();
    BuildPopupMenu();
    ConnectHandlers();
    ConnectNamingCommands();
    FormCreate();
}

TForm2::~TForm2() {
    // An open naming dialog goes first: it gives back the commands it holds.
    delete openDialog_;
}

void TForm2::FormCreate() {
    LastFolder = FirstFolder();
    AutoProcess = false;
    ShowUnresolved = false;
    UseId3v1 = false;
    ResolvedCount = 0;
    UnresolvedCount = 0;
    std::fill(FoundPaths.begin(), FoundPaths.end(), QString());
    ApplyCommandStates();
}

void TForm2::BuildStatusBar() {
    ui_->StatusBar1->setPalette(palette());
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(ui_->StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFixedWidth(std::array{100, 200, 50}[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        ui_->StatusBar1->addWidget(panel);
        statusPanels_[i] = panel;
    }
}

void TForm2::ConnectHandlers() {
    Handle(ui_->Image2, &platform::PictureBox::Click, this, &TForm2::Image2Click);
    Handle(ui_->Label1, &platform::PictureBox::Click, this, &TForm2::Label1Click);
    Handle(ui_->Image3, &platform::PictureBox::Click, this, &TForm2::Image3Click);
    Handle(ui_->Label2, &platform::PictureBox::Click, this, &TForm2::Label2Click);
    for (platform::PictureBox* face : {ui_->Image2, ui_->Label1}) {
        Handle(face, &platform::PictureBox::MouseEnter, this, &TForm2::Image2MouseEnter);
        Handle(face, &platform::PictureBox::MouseLeave, this, &TForm2::Image2MouseLeave);
        Handle(face, &platform::PictureBox::MouseDown, this, &TForm2::Image2MouseDown);
        Handle(face, &platform::PictureBox::MouseUp, this, &TForm2::Image2MouseUp);
    }
    Handle(ui_->BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    Handle(ui_->CheckBox1, &QCheckBox::clicked, this, &TForm2::CheckBox1Click);
    Handle(ui_->CheckBox2, &QCheckBox::clicked, this, &TForm2::CheckBox2Click);
    HandleSelected(ui_->RadioButton1, this, &TForm2::RadioButton1Click);
    HandleSelected(ui_->RadioButton2, this, &TForm2::RadioButton2Click);

    QHeaderView* header = ui_->ListView1->header();
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { platform::Guard([&] { ListView1ColumnClick(column); }); });
    // The first two columns are never narrower than 100; the others may be.
    connect(header, &QHeaderView::sectionResized, this, [header](int column, int, int width) {
        if (column < 2 && width < 100)
            header->resizeSection(column, 100);
    });
    Handle(ui_->ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
           &TForm2::ListView1SelectItem);
    ui_->ListView1->installEventFilter(this);
    connect(ui_->ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(ui_->ListView1->viewport()->mapToGlobal(at));
    });
}

void TForm2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        platform::Guard([this] { FormShow(); });
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    platform::Guard([this] { FormResize(); });
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->ListView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        platform::Guard([&] { ListView1KeyDown(key); });
        if (key == Qt::Key_Delete)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm2::FormShow() {
    // A second showing keeps the counts of the rows still listed.
    ShowCounts();
}

void TForm2::FormResize() {
    const QSize client = size();
    ui_->Image1->setGeometry(0, 0, client.width(), 73);
    ui_->StatusBar1->setGeometry(0, client.height() - 25, client.width(), 25);
    ui_->ListView1->setGeometry(0, 230, client.width(), client.height() - 255);
    if (ui_->ListView1->columnCount() == 2)
        ui_->ListView1->setColumnWidth(1, ui_->ListView1->width() - ui_->ListView1->columnWidth(0) -
                                              5);
}

void TForm2::Image2MouseEnter() {
    SetStepCaptionColor(ui_->Label1, kWhite);
}

void TForm2::Image2MouseLeave() {
    SetStepCaptionColor(ui_->Label1, kYellow);
}

void TForm2::Image2MouseDown() {
    SetStepCaptionColor(ui_->Label1, kAqua);
}

void TForm2::Image2MouseUp() {
    SetStepCaptionColor(ui_->Label1, kYellow);
}

void TForm2::BitBtn1Click() {
    Running = 0;
}

void TForm2::EndWork() {
    ending_ = true;
    Running = 0;
}

void TForm2::ApplyCommandStates() {
    const bool idle = !WorkInProgress();
    for (QWidget* command :
         {static_cast<QWidget*>(ui_->Image2), static_cast<QWidget*>(ui_->Label1),
          static_cast<QWidget*>(ui_->RadioButton1), static_cast<QWidget*>(ui_->RadioButton2)})
        command->setEnabled(idle);
    ui_->Image3->setEnabled(processStep_ && idle);
    ui_->Label2->setEnabled(processStep_ && idle);
    ui_->ListView1->header()->setSectionsClickable(idle);
    PopupMenu1->findChild<QAction*>(QStringLiteral("DeletefromList1"))->setEnabled(idle);
}

void TForm2::SetProcessStep(bool enabled) {
    processStep_ = enabled;
    ApplyCommandStates();
}

void TForm2::SetOrganizeStep(bool enabled) {
    ui_->Image4->setEnabled(enabled);
    ui_->Label3->setEnabled(enabled);
}

void TForm2::RebuildFoundPaths() {
    std::fill(FoundPaths.begin(), FoundPaths.end(), QString());
    const int rows = std::min(RowCount(), MaxFoundFiles);
    // The search view holds the name and its folder; the processed view the full path.
    const bool processed = ProcessedView();
    for (int r = 0; r < rows; ++r) {
        const QTreeWidgetItem* row = ui_->ListView1->topLevelItem(r);
        FoundPaths[size_t(r)] = processed ? row->text(0) : row->text(1) + row->text(0);
    }
}

bool TForm2::ProcessedView() const {
    return ui_->ListView1->columnCount() > 2;
}

int TForm2::RowCount() const {
    return ui_->ListView1->topLevelItemCount();
}

std::vector<bool> TForm2::SelectedRowMarks() const {
    // From the selection's ranges: Qt's own list of selected rows takes time that grows with the
    // square of the number of ranges, and every other row of thousands selected makes thousands.
    std::vector<bool> marks(size_t(RowCount()), false);
    for (const QItemSelectionRange& range : ui_->ListView1->selectionModel()->selection()) {
        for (int r = std::max(range.top(), 0); r <= range.bottom() && r < RowCount(); ++r)
            marks[size_t(r)] = true;
    }
    return marks;
}

int TForm2::SelectedCount() const {
    const std::vector<bool> marks = SelectedRowMarks();
    return int(std::count(marks.begin(), marks.end(), true));
}

void TForm2::ShowCounts() {
    statusPanels_[0]->setText(platform::IntToStr(RowCount()) + QStringLiteral(" file(s)"));
    statusPanels_[1]->setText(QStringLiteral("Selected: ") + platform::IntToStr(SelectedCount()));
}

} // namespace organizer
