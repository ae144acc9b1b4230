// The editor's commands beyond the field display: cover picture, file facts, creating and deleting
// tags, fields from the file name, the main menu, keys and dropped files.
#include "TForm1.h"

#include "AudioFactsText.h"
#include "CoverArt.h"
#include "HelpTexts.h"
#include "NamesFromFile.h"
#include "TextWindow.h"
#include "Unit1.h"
#include "platform/ErrorBox.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/GuardedHandler.h"
#include "platform/MessageBox.h"
#include "platform/Questions.h"
#include "platform/RuntimeText.h"
#include "tagaccess/TextRepairs.h"
#include "ui_TForm1.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QRadioButton>
#include <QSettings>
#include <QShortcut>
#include <QUrl>
#include <algorithm>
#include <array>

namespace editor {

using platform::Handle;
namespace {

using platform::Guard;

void Connect(QAction* action, TForm1* form, void (TForm1::*handler)()) {
    Handle(action, &QAction::triggered, form, handler);
}

void ConnectKey(const QKeySequence& keys, TForm1* form, const std::function<void()>& handler) {
    auto* shortcut = new QShortcut(keys, form);
    QObject::connect(shortcut, &QShortcut::activated, form, [handler] { Guard(handler); });
}

QString TagName(int8_t version) {
    return version == 1 ? QStringLiteral("ID3v1") : QStringLiteral("ID3v2");
}

// The local MP3 file a drag carries, or the empty text.
// What a drop of files brings: the first MP3 file among them to open, or why none is opened, and
// what became of the others. Empty for a drop that holds no local file (a text, say).
struct DroppedFiles {
    QStringList files;
    QString mp3;
    QString refusal;
    QString note;
};

DroppedFiles ReadDrop(const QMimeData* data) {
    DroppedFiles drop;
    if (data == nullptr || !data->hasUrls())
        return drop;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            drop.files << url.toLocalFile();
    if (drop.files.isEmpty())
        return drop;
    const auto isMp3 = [](const QString& path) {
        const QFileInfo file(path);
        return file.isFile() && platform::LowerCaseAscii(file.suffix()) == u"mp3";
    };
    const auto first = std::find_if(drop.files.begin(), drop.files.end(), isMp3);
    const QString name = QFileInfo(drop.files.front()).fileName();
    if (first == drop.files.end()) {
        drop.refusal = QFileInfo(drop.files.front()).isDir()
                           ? QStringLiteral("\"%1\" is a folder: drop one MP3 file, or open the "
                                            "folder in the organizer.")
                                 .arg(name)
                           : QStringLiteral("\"%1\" is not an MP3 file.").arg(name);
        return drop;
    }
    drop.mp3 = *first;
    if (drop.files.size() > 1)
        drop.note = QStringLiteral("One file is opened at a time: \"%1\" was opened, the other %2 "
                                   "dropped with it were not.")
                        .arg(QFileInfo(drop.mp3).fileName())
                        .arg(drop.files.size() - 1);
    return drop;
}

const QString kPicturesFromSongFolderKey = QStringLiteral("editor/picturesFromSongFolder");

// Pictures are of the ID3v2 view; in the other the picture buttons say so.
bool ShowsPictures(int8_t version) {
    if (version != 2)
        platform::ShowMessage(
            QStringLiteral("Pictures are kept in the ID3v2 tag: choose \"ID3 v2\" first."));
    return version == 2;
}

// The open MP3 file and whether it holds a tag of the shown version; nothing when no file is
// open, or (said to the user) when the file is no MP3.
struct ShownTag {
    tagaccess::ID3& id3;
    QString path;
    bool present;
};

std::optional<ShownTag> ShownTagOf(const QString& path, int8_t version) {
    tagaccess::ID3* id3 = Unit1Id3();
    if (path.isEmpty()) {
        platform::ShowMessage(QStringLiteral("Open an MP3 file first."));
        return std::nullopt;
    }
    if (!platform::FileExists(path) || id3 == nullptr || (version != 1 && version != 2))
        return std::nullopt;
    const auto facts = id3->ReadAudioFacts(path, true);
    if (!facts) {
        platform::ShowMessage(
            QStringLiteral("\"%1\" is not an MP3 file.").arg(QFileInfo(path).fileName()));
        return std::nullopt;
    }
    return ShownTag{*id3, path, version == 1 ? facts->id3v1 : facts->id3v2Version > 0};
}

} // namespace

void TForm1::ConnectCommands() {
    Handle(ui_->BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    Handle(ui_->BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    Handle(ui_->Image16, &platform::PictureBox::Click, this, &TForm1::Image16Click);
    Handle(ui_->Image17, &platform::PictureBox::Click, this, &TForm1::Image17Click);
    Connect(ui_->Getfromfilename2, this, &TForm1::Getfromfilename2Click);
    Connect(ui_->Getfromfilename1, this, &TForm1::Getfromfilename1Click);
    Connect(ui_->Open1, this, &TForm1::Open1Click);
    Connect(ui_->Exit1, this, &TForm1::Exit1Click);
    Connect(ui_->aginfo1, this, &TForm1::aginfo1Click);
    Connect(ui_->Settags1, this, &TForm1::Settags1Click);
    Connect(ui_->ID3v1ID3v21, this, &TForm1::ID3v1ID3v21Click);
    Connect(ui_->ID3v2ID3v11, this, &TForm1::ID3v2ID3v11Click);
    Connect(ui_->ID3v1ID3v22, this, &TForm1::ID3v1ID3v22Click);
    Connect(ui_->Loadfromsource1, this, &TForm1::Loadfromsource1Click);
    Connect(ui_->Repairencoding1, this, &TForm1::Repairencoding1Click);
    Connect(ui_->Openhelpfile1, this, &TForm1::Openhelpfile1Click);
    Connect(ui_->About1, this, &TForm1::About1Click);
    Connect(ui_->ViewTagInfo, this, &TForm1::aginfo1Click);
    // The View menu's tag versions are the radio buttons by another way.
    for (auto [action, button] : {std::pair{ui_->ViewId3v1, ui_->RadioButton1},
                                  std::pair{ui_->ViewId3v2, ui_->RadioButton2}}) {
        connect(action, &QAction::triggered, button, [button = button] { button->click(); });
        connect(button, &QRadioButton::toggled, action, &QAction::setChecked);
        action->setChecked(button->isChecked());
    }
    // Options are the user's: kept from one start of the program to the next.
    ui_->PicturesFromSongFolder->setChecked(
        QSettings().value(kPicturesFromSongFolderKey, true).toBool());
    connect(ui_->PicturesFromSongFolder, &QAction::toggled, this,
            [](bool on) { QSettings().setValue(kPicturesFromSongFolderKey, on); });

    ui_->Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    ui_->Settags1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ui_->Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    ConnectKey(QKeySequence(Qt::Key_F2), this, [this] { Label17Click(); });
    ConnectKey(QKeySequence(Qt::Key_Escape), this, [this] {
        if (EditMode)
            SpeedButton3Click();
    });

    // A path typed into the path box opens with Enter.
    Handle(ui_->Edit1, &QLineEdit::returnPressed, this, &TForm1::Edit1ReturnPressed);

    // The fields and the path box take text drops of their own; an MP3 file dropped on them
    // opens it like a drop on the window.
    for (QWidget* field : {static_cast<QWidget*>(ui_->Edit1), static_cast<QWidget*>(ui_->Edit2),
                           static_cast<QWidget*>(ui_->Edit3), static_cast<QWidget*>(ui_->Edit4),
                           static_cast<QWidget*>(ui_->Edit5), static_cast<QWidget*>(ui_->Edit6),
                           static_cast<QWidget*>(ui_->ComboBox1), ui_->Memo1->viewport()})
        field->installEventFilter(this);
}

void TForm1::ShowFileFacts(const QString& path) {
    tagaccess::ID3* id3 = Unit1Id3();
    const auto facts = id3 != nullptr ? id3->ReadAudioFacts(path, true) : std::nullopt;
    for (const auto& [label, text] : {std::pair{ui_->Label11, PlayLengthText(facts)},
                                      std::pair{ui_->Label13, BitrateText(facts)},
                                      std::pair{ui_->Label15, SampleRateText(facts)}}) {
        label->setText(text);
        // The frame of the box ends at 628; a value grows to the right as far as it needs.
        label->adjustSize();
    }
}

void TForm1::BitBtn1Click() {
    if (!ShowsPictures(TagVersion))
        return;
    const QString song = ui_->Edit1->text();
    const QString start = ui_->PicturesFromSongFolder->isChecked() && QFileInfo(song).isFile()
                              ? QFileInfo(song).absolutePath()
                              : QString();
    const QString file =
        platform::GetOpenFileName(this, {QStringLiteral("Load picture:"),
                                         QStringLiteral("Pictures (*.jpg *.jpeg *.png)"), start});
    if (file.isEmpty())
        return;
    const QString refusal = cover_->Choose(file);
    if (!refusal.isEmpty())
        platform::ShowMessage(refusal);
}

void TForm1::Edit1ReturnPressed() {
    const QString path = ui_->Edit1->text().trimmed();
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        platform::ShowMessage(QStringLiteral("There is no file \"%1\".").arg(path));
        return;
    }
    ui_->Edit1->setText(path);
    ShowTags(path);
}

void TForm1::BitBtn2Click() {
    if (!ShowsPictures(TagVersion))
        return;
    // Pictures go by type: when the tag holds several of the type, the user is told how many.
    const auto [type, count] = cover_->DeleteTarget();
    if (count > 1 &&
        !platform::AskYesNo(
            QStringLiteral("Delete the %1 %2 pictures?").arg(count).arg(PictureTypeName(type))))
        return;
    cover_->Delete();
}

void TForm1::Image16Click() {
    const auto shown = ShownTagOf(ui_->Edit1->text(), TagVersion);
    if (!shown)
        return;
    const auto& [id3, path, present] = *shown;
    if (present) {
        platform::ShowMessage(
            QStringLiteral("The file already has an %1 tag.").arg(TagName(TagVersion)));
        return;
    }
    if (id3.CreateEmptyTag(path, TagVersion, true))
        ShowTags(path);
    else
        platform::ShowMessage(
            QStringLiteral("ERROR: Can't create the %1 tag!").arg(TagName(TagVersion)));
}

void TForm1::Image17Click() {
    const auto shown = ShownTagOf(ui_->Edit1->text(), TagVersion);
    if (!shown)
        return;
    const auto& [id3, path, present] = *shown;
    if (!present) {
        platform::ShowMessage(QStringLiteral("The file has no %1 tag.").arg(TagName(TagVersion)));
        return;
    }
    const QString question = QStringLiteral("Delete the %1 tag of \"%2\"?\n"
                                            "The audio and the other tag stay as they are.")
                                 .arg(TagName(TagVersion), QFileInfo(path).fileName());
    if (!platform::AskYesNo(question))
        return;
    const bool removed =
        TagVersion == 1 ? id3.RemoveId3v1(path, true) : id3.RemoveId3v2(path, true);
    if (removed)
        ShowTags(path);
    else
        platform::ShowMessage(
            QStringLiteral("ERROR: Can't delete the %1 tag!").arg(TagName(TagVersion)));
}

std::optional<naming::NameFields> TForm1::AskFieldsFromFileName(QString& pattern) {
    const QString path = ui_->Edit1->text();
    if (!EditMode) {
        platform::ShowMessage(QStringLiteral("Switch edit mode on to fill the fields."));
        return std::nullopt;
    }
    if (!platform::FileExists(path))
        return std::nullopt;
    const auto answer = platform::AskText(
        this, {QStringLiteral("Get from filename"),
               QStringLiteral("Pattern (%artist%, %title%, %album%, %year%, %track%, %genre%, "
                              "%comment%):"),
               namePattern_});
    if (!answer)
        return std::nullopt;
    pattern = *answer;
    namePattern_ = pattern;
    QString error;
    auto fields = FieldsFromFileName(pattern, path, error);
    if (!fields)
        platform::ShowMessage(error);
    return fields;
}

void TForm1::Getfromfilename2Click() {
    const std::array<const QWidget*, tagaccess::kTagFieldCount> controls = {
        ui_->Edit2, ui_->Edit3, ui_->Edit4, ui_->Edit5, ui_->ComboBox1, ui_->Edit6, ui_->Memo1};
    const QWidget* target = menuField_ == ui_->ComboBox1->lineEdit() ? ui_->ComboBox1 : menuField_;
    const auto found = std::find(controls.begin(), controls.end(), target);
    if (found == controls.end())
        return;
    const int field = static_cast<int>(found - controls.begin());
    QString pattern;
    const auto fields = AskFieldsFromFileName(pattern);
    if (!fields)
        return;
    if (!PatternNames(pattern, field)) {
        platform::ShowMessage(
            QStringLiteral("The pattern \"%1\" does not name this field.").arg(pattern));
        return;
    }
    SetFieldText(field, (*fields)[static_cast<size_t>(field)]);
}

void TForm1::Getfromfilename1Click() {
    QString pattern;
    const auto fields = AskFieldsFromFileName(pattern);
    if (!fields)
        return;
    for (int field = 0; field < tagaccess::kTagFieldCount; ++field) {
        if (PatternNames(pattern, field))
            SetFieldText(field, (*fields)[static_cast<size_t>(field)]);
    }
}

void TForm1::SetFieldText(int field, const QString& text) {
    switch (field) {
    case tagaccess::kTitle:
        return ui_->Edit2->setText(text);
    case tagaccess::kArtist:
        return ui_->Edit3->setText(text);
    case tagaccess::kAlbum:
        return ui_->Edit4->setText(text);
    case tagaccess::kYear:
        return ui_->Edit5->setText(text);
    case tagaccess::kGenre:
        return ui_->ComboBox1->setEditText(text);
    case tagaccess::kTrack:
        return ui_->Edit6->setText(text);
    default:
        return ui_->Memo1->setPlainText(text);
    }
}

void TForm1::ShowGarbledNote() {
    const auto garbled =
        std::count_if(shownFields_.begin(), shownFields_.end(),
                      [](const QString& text) { return tagaccess::RepairText(text).has_value(); });
    statusText_->setText(
        garbled == 0 ? QString()
                     : QStringLiteral("%1 field%2 read garbled: Tag > Repair encoding puts the "
                                      "readable text in the boxes.")
                           .arg(garbled)
                           .arg(garbled == 1 ? QString() : QStringLiteral("s")));
}

void TForm1::Repairencoding1Click() {
    if (!EditMode) {
        platform::ShowMessage(QStringLiteral("Switch edit mode on to repair the fields."));
        return;
    }
    int repaired = 0;
    const tagaccess::TagFields shown = FieldsFromControls(tagaccess::kTagFieldCount);
    for (int field = 0; field < tagaccess::kTagFieldCount; ++field) {
        if (const auto repair = tagaccess::RepairText(shown[size_t(field)])) {
            SetFieldText(field, repair->text);
            ++repaired;
        }
    }
    statusText_->setText(
        repaired == 0 ? QStringLiteral("No field reads garbled.")
                      : QStringLiteral("%1 field%2 repaired: save to keep the new text, or cancel.")
                            .arg(repaired)
                            .arg(repaired == 1 ? QString() : QStringLiteral("s")));
}

void TForm1::Open1Click() {
    SpeedButton1Click();
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::aginfo1Click() {
    const QString path = ui_->Edit1->text();
    tagaccess::ID3* id3 = Unit1Id3();
    if (!platform::FileExists(path) || id3 == nullptr) {
        platform::ShowMessage(QStringLiteral("Open an MP3 file first."));
        return;
    }
    ShowTextWindow(this, QStringLiteral("TagInfoWindow"), QStringLiteral("Tag info"),
                   TagInfoText(path, id3->ReadAudioFacts(path, true)), TextFormat::Plain,
                   QSize(420, 260));
}

void TForm1::Settags1Click() {
    // Saving is an edit-mode command, as the Save button is.
    if (EditMode)
        SpeedButton2Click();
}

void TForm1::ID3v1ID3v21Click() {
    Transfer([](tagaccess::ID3& id3, const QString& path) { return id3.CopyV1ToV2(path, true); },
             QStringLiteral("Copied to ID3V2!"), QStringLiteral("ERROR: Can't copy to ID3V2!"));
}

void TForm1::ID3v2ID3v11Click() {
    Transfer([](tagaccess::ID3& id3, const QString& path) { return id3.CopyV2ToV1(path, true); },
             QStringLiteral("Copied to ID3V1!"), QStringLiteral("ERROR: Can't copy to ID3V1!"));
}

void TForm1::ID3v1ID3v22Click() {
    Image14Click();
}

void TForm1::Loadfromsource1Click() {
    SpeedButton3Click();
}

void TForm1::Openhelpfile1Click() {
    ShowTextWindow(this, QStringLiteral("GuideWindow"), QStringLiteral("Kivuna user guide"),
                   GuideMarkdown(), TextFormat::Markdown, QSize(640, 560));
}

void TForm1::About1Click() {
    ShowTextWindow(this, QStringLiteral("AboutWindow"), QStringLiteral("About Kivuna"),
                   AboutMarkdown(), TextFormat::Markdown, QSize(420, 260));
}

bool TForm1::TakeFileDrop(QEvent* event) {
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove &&
        event->type() != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const DroppedFiles files = ReadDrop(drop->mimeData());
    if (files.files.isEmpty())
        return false;
    // The file stays where it is: a drop is taken as a copy or a link, never as a move the source
    // would finish by deleting the original.
    if (drop->possibleActions() & Qt::CopyAction)
        drop->setDropAction(Qt::CopyAction);
    else if (drop->possibleActions() & Qt::LinkAction)
        drop->setDropAction(Qt::LinkAction);
    else
        return false;
    drop->accept();
    if (event->type() == QEvent::Drop)
        Guard([&] {
            if (!files.refusal.isEmpty()) {
                platform::ShowMessage(files.refusal);
                return;
            }
            if (HasUnsavedEdits() &&
                !platform::AskYesNo(QStringLiteral("Discard the changes made to \"%1\" and open "
                                                   "\"%2\"?")
                                        .arg(QFileInfo(ui_->Edit1->text()).fileName(),
                                             QFileInfo(files.mp3).fileName())))
                return;
            OpenFile(files.mp3);
            if (!files.note.isEmpty())
                platform::ShowMessage(files.note);
        });
    return true;
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!TakeFileDrop(event))
        QMainWindow::dragEnterEvent(event);
}

void TForm1::dropEvent(QDropEvent* event) {
    if (!TakeFileDrop(event))
        QMainWindow::dropEvent(event);
}

} // namespace editor
