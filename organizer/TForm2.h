#pragma once

#include "SortFlags.h"
#include "tagjobs/FoundFiles.h"
#include "tagjobs/TagsRun.h"
#include "tagjobs/Undo.h"

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QLabel;
class QMenu;
class QTreeWidgetItem;

namespace batch {
struct MoveSource;
}

namespace Ui {
class TForm2;
}

namespace organizer {

using tagjobs::ChosenTags;
using tagjobs::FoundFile;
using tagjobs::FoundFileList;
using tagjobs::MaxFoundFiles;
using tagjobs::TagRow;

// The organizer window: finds the MP3 files of a folder tree, synchronises their two tags and
// lists them; the list sorts by any column and its rows can be removed. Closing it only hides it.
class TForm2 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // The folder confirmed last in the folder dialog.
    QString LastFolder;
    // Raised by a search and by a processing run; the stop button lowers it.
    uint8_t Running = 0;
    bool AutoProcess = false;
    bool ShowUnresolved = false;
    bool UseId3v1 = false;
    // The column position clicked last.
    int32_t SortColumn = 0;
    SortFlags Directions;

    // Entry r is the full path of the file of list row r; the entries after the last row are empty.
    std::vector<QString> FoundPaths;
    // The last run's resolved files and its unresolved paths.
    std::vector<TagRow> TagRows;
    std::vector<QString> UnresolvedPaths;
    int32_t ResolvedCount = 0;
    int32_t UnresolvedCount = 0;

    // True while a search or a processing run is in progress; starting either, sorting, removing
    // and the tag-version option wait until it ends.
    bool WorkInProgress() const { return workDepth_ > 0; }

    void RebuildFoundPaths();

  public slots:
    void FormShow();
    void FormResize();
    void Image2MouseEnter();
    void Image2MouseLeave();
    void Image2MouseDown();
    void Image2MouseUp();
    void BitBtn1Click();
    // The program is ending: a search or run stops after the file in hand and asks nothing more.
    void EndWork();

    // The search (TForm2Search.cpp).
    void Image2Click();
    void Label1Click() { Image2Click(); }

    // Tag processing (TForm2Process.cpp).
    void Image3Click();
    void Label2Click() { Image3Click(); }
    void CheckBox1Click();
    void CheckBox2Click();
    void RadioButton1Click();
    void RadioButton2Click();

    // Sorting (TForm2Sort.cpp).
    void ListView1ColumnClick(int column);

    // Selection and removal (TForm2Selection.cpp).
    void ListView1SelectItem();
    void ListView1KeyDown(int key);
    void ListView1Deletion();
    void SelectAll1Click();
    void Des1Click();
    void DeletefromList1Click();

  public:
    // <0, 0 or >0 as Item1 sorts before, level with or after Item2 by the column SortColumn.
    int ListView1Compare(const QTreeWidgetItem* Item1, const QTreeWidgetItem* Item2) const;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Marks work in progress for its lifetime; nests.
    class WorkScope;

    void FormCreate();
    void ConnectHandlers();
    void BuildStatusBar();
    void BuildPopupMenu();

    // Enables the commands that wait for work in progress, and "Process Tags..." by its step.
    void ApplyCommandStates();
    void SetProcessStep(bool enabled);
    void SetOrganizeStep(bool enabled);

    void SetSearchColumns();
    void ShowFoundFiles(const FoundFileList& found);
    void RunProcessing();
    void ClearTagTables();
    void SetProcessedColumns();
    void ShowProcessedRows();
    // Adds or takes out the unresolved rows as "Show unresolved files" says, keeping the rest.
    void ShowOrHideUnresolvedRows();
    void ReportLibraryFailure() const;
    void SortByColumn(int column);
    void RemoveSelectedRows();
    // Takes the marked rows (one mark per row) out of the list; answers them in their order.
    std::vector<std::unique_ptr<QTreeWidgetItem>> TakeOutRows(const std::vector<bool>& marks);

    bool ProcessedView() const;
    int RowCount() const;
    int SelectedCount() const;
    // One mark per row, set for the selected rows.
    std::vector<bool> SelectedRowMarks() const;
    void ShowCounts();

    std::unique_ptr<Ui::TForm2> ui_;
    std::array<QLabel*, 3> statusPanels_{};
    QMenu* PopupMenu1 = nullptr;
    int workDepth_ = 0;
    bool processStep_ = false;
    bool ending_ = false;
    // The last run's unresolved files that the user has not removed, while they are not shown.
    std::vector<QString> hiddenUnresolved_;

    // Shows the core's runs over the listed files (BatchRun.cpp).
    friend class BatchRun;

  public:
    // Asks "Undo Organize Files of <time>: 12 file(s)? ..." before an undo.
    bool ConfirmUndo(const tagjobs::UndoTarget& target) const;
    // Takes back a run of either front end in the progress panel; the list follows the files.
    tagjobs::UndoResult UndoInWindow(const tagjobs::UndoTarget& target);

    // Organizing, renaming and tags from file names (TForm2Naming.cpp).
  public slots:
    void Image4Click();
    void Label3Click() { Image4Click(); }
    void Renamefiles1Click();
    void agsfromfilenames1Click();
    void UndoLastOrganize1Click();

  public:
    // The files of the selected rows (all rows when none is selected, or always when allRows),
    // with their fields from the tag chosen in the list.
    std::vector<batch::MoveSource> ListedFiles(bool allRows) const;
    // Files moved: their rows and FoundPaths follow them (pairs of old and new path).
    void FilesMoved(const std::vector<std::pair<QString, QString>>& moves);
    // Files' tags were rewritten: their rows show the chosen tag again.
    void FilesTagsChanged(const std::vector<QString>& paths);
    // Holds the commands that must wait while a naming dialog is open; a null dialog releases them.
    void SetDialogOpen(QWidget* dialog);

  private:
    void ConnectNamingCommands();
    void AddNamingMenuItems();
    std::unique_ptr<WorkScope> dialogWork_;
    QWidget* openDialog_ = nullptr;

    // The list menu's tag commands: edit, clear, remove, transliterate and undo
    // (TForm2TagCommands.cpp).
  signals:
    // "Edit tags" > "Single": the application opens the file in the editor window.
    void EditorRequested(const QString& path);

  public slots:
    void Multiple1Click();
    void Single1Click();
    void LeaveID3tags1Click();
    void KillID3tags1Click();
    void RusEng1Click();
    void EngRus1Click();
    // "Repair text encodings...": garbled texts of the files, shown, then repaired.
    void Repairencodings1Click();
    void Undolastchange1Click();

  private:
    // The files a command works on, in the list's order, with their rows.
    struct CommandFiles {
        std::vector<QString> paths;
        std::vector<int> rows;
        // No row was selected, so the command takes every row.
        bool all = false;
    };
    void AddTagCommands();
    // The selected files, or every file when none is selected; none, after saying so, when the
    // list is empty.
    CommandFiles ChosenFiles() const;
    QString FilesMessage(const CommandFiles& files, const QString& action) const;
    ChosenTags ShownVersions() const;
    // Runs a tag command of the core over the files with a new undo journal, then shows the files
    // again and reports what failed.
    void RunJournaled(const CommandFiles& files, const QString& command,
                      const tagjobs::FilePlanner& planner);
    // The last tag-changing run of either front end, while it is not undone.
    std::optional<tagjobs::UndoTarget> UndoableChange() const;
    // The listed rows of the files.
    CommandFiles RowsOf(const std::vector<QString>& paths) const;
    void Transliterate(tagjobs::TranslitDirection direction);
    // "Leave ID3 tags" and "Kill ID3 tags": the chosen versions of every file, after a question.
    void ClearTags(const QString& question, const QString& button, const QString& command,
                   tagjobs::FilePlanner (*planner)(ChosenTags versions));
    void ReportResults(const std::vector<std::pair<QString, QString>>& failures, size_t taken,
                       size_t total);
    // Shows the files' fields of the listed tag version again, read from the files.
    void RedrawRows(const CommandFiles& files);
    void UpdateUndoCommand();

    QAction* Undolastchange1 = nullptr;
};

} // namespace organizer
