// The third step and the list's naming commands: organize, rename, tags from file names, undo.
#include "BatchRun.h"
#include "ListFiles.h"
#include "MoveDialog.h"
#include "TForm2.h"
#include "TForm2Handlers.h"
#include "TForm2WorkScope.h"
#include "TagsFromNamesDialog.h"
#include "batch/MovePlan.h"
#include "platform/MessageBox.h"
#include "platform/Questions.h"
#include "tagjobs/RunKinds.h"
#include "ui_TForm2.h"

#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QMenu>
#include <QSet>

namespace organizer {

void TForm2::ConnectNamingCommands() {
    Handle(ui_->Image4, &platform::PictureBox::Click, this, &TForm2::Image4Click);
    Handle(ui_->Label3, &platform::PictureBox::Click, this, &TForm2::Label3Click);
}

void TForm2::AddNamingMenuItems() {
    const auto item = [this](const char* name, const char* caption, void (TForm2::*handler)()) {
        QAction* action = PopupMenu1->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        Handle(action, &QAction::triggered, this, handler);
    };
    item("Renamefiles1", "&Rename files...", &TForm2::Renamefiles1Click);
    item("agsfromfilenames1", "Tags from file &names...", &TForm2::agsfromfilenames1Click);
    item("UndoLastOrganize1", "&Undo last organize", &TForm2::UndoLastOrganize1Click);
}

void TForm2::Image4Click() {
    if (openDialog_) {
        openDialog_->raise();
        openDialog_->activateWindow();
        return;
    }
    if (WorkInProgress() || !ui_->Image4->isEnabled())
        return;
    (new MoveDialog(*this, MoveDialog::Kind::Organize, ListedFiles(true), LastFolder))->show();
}

void TForm2::Renamefiles1Click() {
    if (openDialog_ || WorkInProgress() || RowCount() == 0)
        return;
    (new MoveDialog(*this, MoveDialog::Kind::Rename, ListedFiles(false), QString()))->show();
}

void TForm2::agsfromfilenames1Click() {
    if (openDialog_ || WorkInProgress() || RowCount() == 0)
        return;
    (new TagsFromNamesDialog(*this, ListedFiles(false)))->show();
}

void TForm2::UndoLastOrganize1Click() {
    if (openDialog_ || WorkInProgress())
        return;
    const std::optional<tagjobs::UndoTarget> last =
        tagjobs::FindUndoTarget(tagjobs::MoveCommands());
    if (!last) {
        platform::ShowMessage(QStringLiteral("There is no organize or rename to undo."));
        return;
    }
    if (!ConfirmUndo(*last))
        return;
    platform::ShowMessage(tagjobs::UndoSummary(UndoInWindow(*last)));
}

bool TForm2::ConfirmUndo(const tagjobs::UndoTarget& target) const {
    return platform::AskYesNo(target.Question());
}

tagjobs::UndoResult TForm2::UndoInWindow(const tagjobs::UndoTarget& target) {
    BatchRun run(*this);
    tagjobs::UndoResult result = tagjobs::UndoRun(target, *ListFilesId3(), run);
    FilesMoved(result.moves);
    FilesTagsChanged(result.touched);
    return result;
}

std::vector<batch::MoveSource> TForm2::ListedFiles(bool allRows) const {
    const std::vector<bool> marks = SelectedRowMarks();
    const bool some = !allRows && std::find(marks.begin(), marks.end(), true) != marks.end();
    const int rows = std::min(RowCount(), MaxFoundFiles);
    std::vector<batch::MoveSource> files;
    files.reserve(size_t(rows));
    // The processed view shows the chosen tag of every file; the search view shows no field.
    const bool processed = ProcessedView();
    if (!processed)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    for (int r = 0; r < rows; ++r) {
        if (some && !marks[size_t(r)])
            continue;
        batch::MoveSource file{FoundPaths[size_t(r)], {}};
        if (processed) {
            const QTreeWidgetItem* row = ui_->ListView1->topLevelItem(r);
            for (int k = 0; k < 6; ++k)
                file.fields[size_t(k)] = row->text(k + 1);
        } else {
            file.fields =
                batch::FieldsOfTag(UseId3v1 ? ListFilesId3()->ReadId3v1(file.path, false)
                                            : ListFilesId3()->ReadId3v2(file.path, false));
        }
        files.push_back(std::move(file));
    }
    if (!processed)
        QApplication::restoreOverrideCursor();
    return files;
}

void TForm2::FilesMoved(const std::vector<std::pair<QString, QString>>& moves) {
    if (moves.empty())
        return;
    QHash<QString, QString> newPaths;
    for (const auto& [from, to] : moves)
        newPaths.insert(from, to);
    const bool processed = ProcessedView();
    for (int r = 0; r < RowCount(); ++r) {
        QTreeWidgetItem* row = ui_->ListView1->topLevelItem(r);
        const auto found =
            newPaths.constFind(processed ? row->text(0) : row->text(1) + row->text(0));
        if (found == newPaths.constEnd())
            continue;
        if (processed) {
            row->setText(0, *found);
        } else {
            const QFileInfo file(*found);
            row->setText(0, file.fileName());
            row->setText(1, file.path() + QLatin1Char('/'));
        }
    }
    for (int j = 0; j < ResolvedCount; ++j) {
        TagRow& tagRow = TagRows[size_t(j)];
        tagRow[0] = newPaths.value(tagRow[0], tagRow[0]);
    }
    RebuildFoundPaths();
}

void TForm2::FilesTagsChanged(const std::vector<QString>& paths) {
    if (!ProcessedView() || paths.empty())
        return;
    const QSet<QString> changed(paths.begin(), paths.end());
    for (int r = 0; r < RowCount(); ++r) {
        QTreeWidgetItem* row = ui_->ListView1->topLevelItem(r);
        if (!changed.contains(row->text(0)))
            continue;
        const QString path = row->text(0);
        const tagaccess::TagFields fields = UseId3v1 ? ListFilesId3()->ReadId3v1(path, false)
                                                     : ListFilesId3()->ReadId3v2(path, false);
        for (int k = 0; k < 6 && size_t(k) < fields.size(); ++k)
            row->setText(k + 1, fields[size_t(k)]);
    }
}

void TForm2::SetDialogOpen(QWidget* dialog) {
    openDialog_ = dialog;
    if (dialog)
        dialogWork_ = std::make_unique<WorkScope>(*this);
    else
        dialogWork_.reset();
}

} // namespace organizer
