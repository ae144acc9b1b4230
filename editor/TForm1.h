#pragma once

#include "naming/NamePattern.h"
#include "tagaccess/ID3.h"

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QWidget;

namespace Ui {
class TForm1;
}

namespace editor {

class CoverArt;

// The editor window: one MP3 file at a time, one of its two tags at a time. The current file is
// the text of Edit1; the field texts live only in the controls.
class TForm1 : public QMainWindow {
    Q_OBJECT

  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // True while the field controls are editable.
    bool EditMode = false;
    // The tag shown: 1 = ID3v1, 2 = ID3v2; routines that branch on it do nothing for others.
    int8_t TagVersion = 1;

    // Reads the selected tag of the file and puts its seven texts into the field controls.
    void ShowTags(const QString& path);
    // Takes the file as the current one and shows its tags, as a file chosen through "..." is
    // (the organizer's "Single", a dropped file); a path that names no file changes nothing.
    void OpenFile(const QString& path);

  signals:
    // "Organizer..." was clicked: the application shows the organizer window.
    void OrganizerRequested();
    // The window is closing, which ends the program.
    void Closing();

  public slots:
    void FormShow();
    void FormResize();
    void FormClose();

    void SpeedButton1Click();
    void RadioButton1Click();
    void RadioButton2Click();

    void Label17Click();
    void Image2Click();
    void SpeedButton2Click();
    void SpeedButton3Click();

    void Image12Click();
    void Image13Click();
    void Image14Click();
    void PopupMenu1Popup();

    // The picture box's buttons, "Create tags..." and "Delete tags...".
    void BitBtn1Click();
    void BitBtn2Click();
    void Edit1ReturnPressed();
    void Image16Click();
    void Image17Click();
    // "Get from filename...": the field the menu was opened on; "Get from filename": all fields.
    void Getfromfilename2Click();
    void Getfromfilename1Click();

    // The main menu.
    void Open1Click();
    void Exit1Click();
    void aginfo1Click();
    void Settags1Click();
    void ID3v1ID3v21Click();
    void ID3v2ID3v11Click();
    void ID3v1ID3v22Click();
    void Loadfromsource1Click();
    // "Repair encoding": in edit mode, the readable text in every box that reads garbled.
    void Repairencoding1Click();
    void Openhelpfile1Click();
    void About1Click();

    void Image2MouseEnter();
    void Image2MouseLeave();
    void Image2MouseDown();
    void Image2MouseUp();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ConnectHandlers();
    void ConnectCommands();
    // Shows the file's play length, bitrate and sample rate, or the empty brackets.
    void ShowFileFacts(const QString& path);
    // The shown field control of a tag field (0-6) gets the text.
    void SetFieldText(int field, const QString& text);
    // Asks for the pattern and reads the file name by it; nothing when cancelled or not read.
    std::optional<naming::NameFields> AskFieldsFromFileName(QString& pattern);
    // Handles a drag or drop of files onto the window or a field: the first MP3 among them is
    // opened, anything else refused with a reason; false for a drop of no file.
    bool TakeFileDrop(QEvent* event);
    // In edit mode, fields or a picture changed and not saved.
    bool HasUnsavedEdits() const;
    void SetEditLook(bool on);
    // The status line tells how many fields of the shown tag read garbled, or nothing.
    void ShowGarbledNote();
    void LoadSwitchFace(const QString& name);
    tagaccess::TagFields FieldsFromControls(int count) const;
    QString CommentText() const;
    bool ShowsStoredTag(const QString& path, const tagaccess::TagFields& fields) const;
    int MenuBarHeight() const;
    void FitLimitsToMenuBar();
    // Runs a transfer command on the file in Edit1 and reports its outcome.
    void Transfer(const std::function<bool(tagaccess::ID3&, const QString&)>& operation,
                  const QString& success, const QString& failure);

    std::unique_ptr<Ui::TForm1> ui_;
    QMenu* PopupMenu1 = nullptr;
    // The status bar's text beside its two blank panels.
    QLabel* statusText_ = nullptr;
    bool shownBefore_ = false;
    // What ShowTags last read: the file, the tag and its seven texts, and the memo's document
    // text right after it showed the comment.
    QString shownPath_;
    int8_t shownTagVersion_ = 0;
    tagaccess::TagFields shownFields_ = tagaccess::EmptyTagFields();
    QString shownCommentDocument_;
    std::unique_ptr<CoverArt> cover_;
    // The field whose menu was opened last, and the last pattern used to read file names.
    QWidget* menuField_ = nullptr;
    QString namePattern_ = naming::kReadNamePattern;
};

} // namespace editor
