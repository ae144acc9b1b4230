#include "TForm1.h"

#include "CoverArt.h"
#include "ResPictures.h"
#include "Unit1.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "platform/GuardedHandler.h"
#include "platform/LayoutLook.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "ui_TForm1.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QTemporaryFile>
#include <QTextDocument>
#include <algorithm>
#include <limits>

namespace editor {

using platform::Handle;
namespace {

using platform::Guard;
using tagaccess::TagFields;

const QColor kGreen(0, 128, 0);
const QColor kBlack(0, 0, 0);
const QColor kSilver(192, 192, 192);
const QColor kYellow(255, 255, 0);
// The client area below the menu bar: its size at first show and its limits.
const QSize kClientMinimum(706, 482);
const QSize kClientMaximum(1272, 749);

// The grow and shrink effect of a picture button: 2 pixels on every side around its centre.
void GrowOnHover(platform::PictureBox* button) {
    QObject::connect(button, &platform::PictureBox::MouseEnter, button,
                     [button] { button->setGeometry(button->geometry().adjusted(-2, -2, 2, 2)); });
    QObject::connect(button, &platform::PictureBox::MouseLeave, button,
                     [button] { button->setGeometry(button->geometry().adjusted(2, 2, -2, -2)); });
}

// The line break a stored text uses: CR LF, a lone CR, else LF.
QString LineBreakOf(const QString& text) {
    if (text.contains(QStringLiteral("\r\n")))
        return QStringLiteral("\r\n");
    if (text.contains(u'\r') && !text.contains(u'\n'))
        return QStringLiteral("\r");
    return QStringLiteral("\n");
}

} // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::TForm1>()) {
    ui_->setupUi(this);
    setFont(platform::WindowFont(11));
    platform::ApplyLayoutLook(this);
    move(594, 346);
    // Client area limits: the outer limits less the frame, title bar and menu bar.
    ui_->ClientArea->setMinimumSize(kClientMinimum);
    ui_->ClientArea->setMaximumSize(kClientMaximum);
    ui_->ClientArea->installEventFilter(this);
    menuBar()->installEventFilter(this);
    ui_->Panel1->setFrameShape(QFrame::NoFrame);
    // The genre list offers its names; the field itself starts empty like the others.
    ui_->ComboBox1->setCurrentIndex(-1);
    ui_->ComboBox1->setEditText(QString());
    // A tag text may be longer than a line edit takes by default; none is cut.
    for (QLineEdit* edit :
         {ui_->Edit2, ui_->Edit3, ui_->Edit4, ui_->Edit5, ui_->Edit6, ui_->ComboBox1->lineEdit()})
        edit->setMaxLength(std::numeric_limits<int>::max());

    // The status bar's two panels stay blank.
    for (const int width : {100, 50}) {
        auto* panel = new QLabel(ui_->StatusBar1);
        panel->setFixedWidth(width);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        ui_->StatusBar1->addWidget(panel);
    }
    // Notes that need no answer (garbled fields) go beside them, without a message box.
    statusText_ = new QLabel(ui_->StatusBar1);
    statusText_->setObjectName(QStringLiteral("StatusText"));
    ui_->StatusBar1->addWidget(statusText_, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(ui_->GetfromID3v11);
    PopupMenu1->addAction(ui_->CopytoID3v11);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N6"));
    PopupMenu1->addAction(ui_->Getfromfilename2);

    cover_ = std::make_unique<CoverArt>(ui_->Image1);
    setAcceptDrops(true);
    ConnectHandlers();
    ConnectCommands();
}

TForm1::~TForm1() = default;

void TForm1::ConnectHandlers() {
    Handle(ui_->SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(ui_->RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Guard([this] { RadioButton1Click(); });
    });
    connect(ui_->RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Guard([this] { RadioButton2Click(); });
    });
    Handle(ui_->Label17, &platform::PictureBox::Click, this, &TForm1::Label17Click);
    Handle(ui_->Image2, &platform::PictureBox::Click, this, &TForm1::Image2Click);
    Handle(ui_->SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    Handle(ui_->SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    Handle(ui_->Image12, &platform::PictureBox::Click, this, &TForm1::Image12Click);
    Handle(ui_->Image13, &platform::PictureBox::Click, this, &TForm1::Image13Click);
    Handle(ui_->Image14, &platform::PictureBox::Click, this, &TForm1::Image14Click);
    connect(ui_->BitBtn3, &QPushButton::clicked, this, &TForm1::OrganizerRequested);

    // The caption lying on the switch and the switch behave as one button.
    for (platform::PictureBox* face : {ui_->Image2, ui_->Label17}) {
        Handle(face, &platform::PictureBox::MouseEnter, this, &TForm1::Image2MouseEnter);
        Handle(face, &platform::PictureBox::MouseLeave, this, &TForm1::Image2MouseLeave);
        Handle(face, &platform::PictureBox::MouseDown, this, &TForm1::Image2MouseDown);
        Handle(face, &platform::PictureBox::MouseUp, this, &TForm1::Image2MouseUp);
    }
    for (platform::PictureBox* button :
         {ui_->Image12, ui_->Image13, ui_->Image14, ui_->Image16, ui_->Image17})
        GrowOnHover(button);

    // The field controls show the field menu instead of the standard edit menu.
    const QList<QWidget*> fields = {
        ui_->Edit2, ui_->Edit3, ui_->Edit4,     ui_->Edit5,
        ui_->Edit6, ui_->Memo1, ui_->ComboBox1, ui_->ComboBox1->lineEdit()};
    for (QWidget* field : fields) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, this, [this, field](const QPoint& at) {
            menuField_ = field;
            Guard([this] { PopupMenu1Popup(); });
            PopupMenu1->popup(field->mapToGlobal(at));
        });
    }
}

void TForm1::showEvent(QShowEvent* event) {
    if (!event->spontaneous() && !shownBefore_) {
        // The menu bar has its height by now; the client area below it opens at its designed size.
        shownBefore_ = true;
        FitLimitsToMenuBar();
        resize(kClientMinimum + QSize(0, MenuBarHeight()));
    }
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        Guard([this] { FormShow(); });
}

int TForm1::MenuBarHeight() const {
    const QMenuBar* bar = menuBar();
    return bar->isVisibleTo(this) && !bar->isNativeMenuBar() ? bar->height() : 0;
}

void TForm1::FitLimitsToMenuBar() {
    // The layout derives the window's minimum from the client area's, but not its maximum: a
    // window manager would otherwise maximise the window past the client area.
    setMaximumSize(kClientMaximum + QSize(0, MenuBarHeight()));
}

void TForm1::closeEvent(QCloseEvent* event) {
    Guard([this] { FormClose(); });
    QMainWindow::closeEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (TakeFileDrop(event))
        return true;
    if (watched == ui_->ClientArea && event->type() == QEvent::Resize)
        Guard([this] { FormResize(); });
    if (watched == menuBar() && event->type() == QEvent::Resize && shownBefore_) {
        // A menu bar that changes its height takes the room from the window, not the client area.
        const auto* resize = static_cast<QResizeEvent*>(event);
        FitLimitsToMenuBar();
        if (resize->oldSize().isValid())
            this->resize(width(), height() + resize->size().height() - resize->oldSize().height());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::FormShow() {
    EditMode = false;
    TagVersion = 1;
    for (QLineEdit* edit : {ui_->Edit2, ui_->Edit3, ui_->Edit4, ui_->Edit5, ui_->Edit6})
        edit->setReadOnly(true);
    ui_->ComboBox1->setEnabled(false);
    ui_->Memo1->setReadOnly(true);
    for (QWidget* button :
         {static_cast<QWidget*>(ui_->BitBtn1), static_cast<QWidget*>(ui_->BitBtn2),
          static_cast<QWidget*>(ui_->SpeedButton2), static_cast<QWidget*>(ui_->SpeedButton3)})
        button->setEnabled(false);
}

void TForm1::FormResize() {
    const QSize client = ui_->ClientArea->size();
    // The banner follows the top edge and the status bar the bottom edge; only the panel is
    // resized, 2 pixels wider than the client area and 66 shorter.
    ui_->Image15->setGeometry(0, 0, client.width(), 45);
    ui_->StatusBar1->setGeometry(0, client.height() - 19, client.width(), 19);
    ui_->Panel1->resize(client.width() + 2, client.height() - 66);
}

void TForm1::FormClose() {
    emit Closing();
    ReleaseUnit1Id3();
    QCoreApplication::quit();
}

void TForm1::ShowTags(const QString& path) {
    tagaccess::ID3* id3 = Unit1Id3();
    if (id3 == nullptr || (TagVersion != 1 && TagVersion != 2))
        return;
    const TagFields fields =
        TagVersion == 1 ? id3->ReadId3v1(path, true) : id3->ReadId3v2(path, true);
    const auto field = [&fields](int index) {
        return index < int(fields.size()) ? fields[size_t(index)] : QString();
    };
    shownPath_ = path;
    shownTagVersion_ = TagVersion;
    for (int index = 0; index < tagaccess::kTagFieldCount; ++index)
        shownFields_[size_t(index)] = field(index);
    ui_->Edit2->setText(field(tagaccess::kTitle));
    ui_->Edit3->setText(field(tagaccess::kArtist));
    ui_->Edit4->setText(field(tagaccess::kAlbum));
    ui_->Edit5->setText(field(tagaccess::kYear));
    ui_->ComboBox1->setEditText(field(tagaccess::kGenre));
    ui_->Edit6->setText(field(tagaccess::kTrack));
    ui_->Memo1->setPlainText(field(tagaccess::kComment));
    shownCommentDocument_ = ui_->Memo1->document()->toRawText();
    cover_->Show(*id3, path, TagVersion);
    ShowFileFacts(path);
    ShowGarbledNote();
}

void TForm1::SpeedButton1Click() {
    QString path;
    path = platform::GetOpenFileName(
        this, {QStringLiteral("Open MP3 file:"), QStringLiteral("Music files (*.mp3)"), QString()});
    OpenFile(path);
}

void TForm1::OpenFile(const QString& path) {
    if (platform::FileExists(path)) {
        ui_->Edit1->setText(path);
        ShowTags(path);
    }
}

void TForm1::RadioButton1Click() {
    TagVersion = 1;
    if (platform::FileExists(ui_->Edit1->text()))
        ShowTags(ui_->Edit1->text());
}

void TForm1::RadioButton2Click() {
    TagVersion = 2;
    if (platform::FileExists(ui_->Edit1->text()))
        ShowTags(ui_->Edit1->text());
}

void TForm1::Label17Click() {
    SetEditLook(!EditMode);
}

void TForm1::Image2Click() {
    Label17Click();
}

void TForm1::SetEditLook(bool on) {
    EditMode = on;
    ui_->Label17->setText(on ? QStringLiteral("Edit mode ON") : QStringLiteral("Edit mode OFF"));
    platform::SetTextColor(ui_->Label17, on ? kYellow : kSilver);
    const QColor fieldColor = on ? kBlack : kGreen;
    for (QLineEdit* edit : {ui_->Edit2, ui_->Edit3, ui_->Edit4, ui_->Edit5, ui_->Edit6}) {
        edit->setReadOnly(!on);
        platform::SetTextColor(edit, fieldColor);
    }
    ui_->ComboBox1->setEnabled(on);
    platform::SetTextColor(ui_->ComboBox1, fieldColor);
    ui_->Memo1->setReadOnly(!on);
    platform::SetTextColor(ui_->Memo1, fieldColor);
    for (QWidget* button :
         {static_cast<QWidget*>(ui_->BitBtn1), static_cast<QWidget*>(ui_->BitBtn2),
          static_cast<QWidget*>(ui_->SpeedButton2), static_cast<QWidget*>(ui_->SpeedButton3)})
        button->setEnabled(on);
    // A lock picture that cannot be loaded ends the switch here: the looks above have changed,
    // the remaining locks keep their pictures.
    const QString fieldLock = on ? QStringLiteral("lock_off.png") : QStringLiteral("lock.png");
    for (platform::PictureBox* lock : {ui_->Image3, ui_->Image4, ui_->Image5, ui_->Image6,
                                       ui_->Image7, ui_->Image8, ui_->Image9, ui_->Image10})
        lock->SetPicture(LoadResPicture(fieldLock));
    ui_->Image11->SetPicture(LoadResPicture(on ? QStringLiteral("lock_off_disabled_24.png")
                                               : QStringLiteral("lock_disabled_24.png")));
}

TagFields TForm1::FieldsFromControls(int count) const {
    TagFields fields = tagaccess::EmptyTagFields(count);
    fields[tagaccess::kTitle] = ui_->Edit2->text();
    fields[tagaccess::kArtist] = ui_->Edit3->text();
    fields[tagaccess::kAlbum] = ui_->Edit4->text();
    fields[tagaccess::kYear] = ui_->Edit5->text();
    fields[tagaccess::kGenre] = ui_->ComboBox1->currentText();
    fields[tagaccess::kTrack] = ui_->Edit6->text();
    fields[tagaccess::kComment] = CommentText();
    return fields;
}

QString TForm1::CommentText() const {
    // The memo keeps each line as a paragraph of its own and shows no-break spaces as plain ones
    // in its plain text, so an unchanged comment goes back exactly as it was read.
    const QString& shownComment = shownFields_[tagaccess::kComment];
    const QString document = ui_->Memo1->document()->toRawText();
    if (document == shownCommentDocument_)
        return shownComment;
    // An edited one keeps the stored comment's line breaks and its no-break spaces. Shift+Enter
    // puts a line separator into the memo; it is a line break too, unless the stored comment
    // held line separators itself.
    const QString lineBreak = LineBreakOf(shownComment);
    QString text = document;
    text.replace(QChar::ParagraphSeparator, lineBreak);
    if (!shownComment.contains(QChar::LineSeparator))
        text.replace(QChar::LineSeparator, lineBreak);
    return text;
}

bool TForm1::HasUnsavedEdits() const {
    return EditMode &&
           (!ShowsStoredTag(ui_->Edit1->text(), FieldsFromControls(tagaccess::kTagFieldCount)) ||
            cover_->HasChange());
}

bool TForm1::ShowsStoredTag(const QString& path, const TagFields& fields) const {
    return path == shownPath_ && TagVersion == shownTagVersion_ &&
           std::equal(shownFields_.begin(), shownFields_.end(), fields.begin());
}

void TForm1::SpeedButton2Click() {
    const QString path = ui_->Edit1->text();
    tagaccess::ID3* id3 = Unit1Id3();
    if (!platform::FileExists(path) || id3 == nullptr)
        return;
    // The eighth entry of an ID3v2 save is the picture file to attach, if any: the bytes chosen
    // with "Load", from a copy of them, so a picture file changed or gone since is no matter.
    TagFields fields = FieldsFromControls(TagVersion == 2 ? tagaccess::kTagFieldCountWithPicture
                                                          : tagaccess::kTagFieldCount);
    const bool coverChanged = TagVersion == 2 && cover_->HasChange();
    QTemporaryFile picture(QDir::temp().filePath(QStringLiteral("kivuna-picture-XXXXXX")));
    if (coverChanged && !cover_->ChosenPicture().isEmpty()) {
        if (!picture.open() ||
            picture.write(cover_->ChosenPicture()) != cover_->ChosenPicture().size() ||
            !picture.flush()) {
            platform::ShowMessage(
                QStringLiteral("The picture could not be saved: no room for a copy of it (%1).")
                    .arg(picture.errorString()));
            return;
        }
        fields[tagaccess::kPicture] = picture.fileName();
    }
    // Texts just as they were read from this tag of this file: the file stays as it is, byte for
    // byte, rather than take the tag library's normal form of them (a track frame, say).
    if (!ShowsStoredTag(path, fields) || coverChanged) {
        bool saved = true;
        if (TagVersion == 1 && !id3->WriteId3v1(path, fields, true)) {
            platform::ShowMessage(QStringLiteral("Error saving ID3v1 Tag!"));
            saved = false;
        }
        if (TagVersion == 2) {
            saved = id3->WriteId3v2AndPictures(path, fields, cover_->DeletedTypes(), true);
            if (!saved) {
                platform::ShowMessage(QStringLiteral("Error saving ID3v2 Tag!"));
            } else if (coverChanged) {
                const QString problem = cover_->SaveProblem(*id3, path);
                saved = problem.isEmpty();
                if (!saved)
                    platform::ShowMessage(problem);
            }
        }
        // A picture that could not be stored is not lost, nor anything typed with it: edit mode
        // stays as it is. A failed save of texts alone shows the stored texts again.
        if (!saved && coverChanged)
            return;
    }
    ShowTags(path);
}

void TForm1::SpeedButton3Click() {
    if (platform::FileExists(ui_->Edit1->text()))
        ShowTags(ui_->Edit1->text());
}

void TForm1::Transfer(const std::function<bool(tagaccess::ID3&, const QString&)>& operation,
                      const QString& success, const QString& failure) {
    tagaccess::ID3* id3 = Unit1Id3();
    if (!platform::FileExists(ui_->Edit1->text()) || id3 == nullptr)
        return;
    if (operation(*id3, ui_->Edit1->text())) {
        ShowTags(ui_->Edit1->text());
        platform::ShowMessage(success);
    } else {
        platform::ShowMessage(failure);
    }
}

namespace {

// The copies as the transfer commands call them: showing their own errors.
bool CopyV1ToV2(tagaccess::ID3& id3, const QString& path) {
    return id3.CopyV1ToV2(path, true);
}

bool CopyV2ToV1(tagaccess::ID3& id3, const QString& path) {
    return id3.CopyV2ToV1(path, true);
}

} // namespace

void TForm1::Image12Click() {
    if (TagVersion == 1)
        Transfer(CopyV2ToV1, QStringLiteral("Copied from ID3V2!"),
                 QStringLiteral("ERROR: Can't copy from ID3V2!"));
    else if (TagVersion == 2)
        Transfer(CopyV1ToV2, QStringLiteral("Copied from ID3V1!"),
                 QStringLiteral("ERROR: Can't copy from ID3V1!"));
}

void TForm1::Image13Click() {
    if (TagVersion == 1)
        Transfer(CopyV1ToV2, QStringLiteral("Copied to ID3V2!"),
                 QStringLiteral("ERROR: Can't copy to ID3V2!"));
    else if (TagVersion == 2)
        Transfer(CopyV2ToV1, QStringLiteral("Copied to ID3V1!"),
                 QStringLiteral("ERROR: Can't copy to ID3V1!"));
}

void TForm1::Image14Click() {
    // Where both tags hold a field, the ID3v2 text is kept.
    Transfer([](tagaccess::ID3& id3, const QString& path) { return id3.SyncTags(path, 2, true); },
             QStringLiteral("Synchronized tags!"), QStringLiteral("ERROR: Can't sync tags!"));
}

void TForm1::PopupMenu1Popup() {
    if (TagVersion == 1) {
        ui_->GetfromID3v11->setText(QStringLiteral("Get from ID3v2"));
        ui_->CopytoID3v11->setText(QStringLiteral("Copy to ID3v2"));
    } else if (TagVersion == 2) {
        ui_->GetfromID3v11->setText(QStringLiteral("Get from ID3v1"));
        ui_->CopytoID3v11->setText(QStringLiteral("Copy to ID3v1"));
    }
}

void TForm1::LoadSwitchFace(const QString& name) {
    ui_->Image2->SetPicture(LoadResPicture(name));
}

void TForm1::Image2MouseEnter() {
    LoadSwitchFace(QStringLiteral("Black_HL.png"));
}

void TForm1::Image2MouseLeave() {
    LoadSwitchFace(QStringLiteral("Black_n.png"));
}

void TForm1::Image2MouseDown() {
    LoadSwitchFace(QStringLiteral("Black_CL.png"));
}

void TForm1::Image2MouseUp() {
    LoadSwitchFace(QStringLiteral("Black_HL.png"));
}

} // namespace editor
