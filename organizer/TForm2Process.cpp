// The second step: synchronise the two tags of every listed file and show the chosen one.
#include "BatchRun.h"
#include "ListFiles.h"
#include "TForm2.h"
#include "TForm2WorkScope.h"
#include "platform/MessageBox.h"
#include "tagaccess/DllErrors.h"
#include "tagaccess/TagLibraryEntries.h"
#include "tagjobs/ProcessFile.h"
#include "ui_TForm2.h"

#include <QHeaderView>

namespace organizer {
namespace {

const QColor kRed(255, 0, 0);

struct ProcessedColumn {
    const char* caption;
    int width;
};
constexpr std::array<ProcessedColumn, 7> kProcessedColumns = {{{"Path", 300},
                                                               {"Title", 250},
                                                               {"Artist", 150},
                                                               {"Album", 150},
                                                               {"Year", 100},
                                                               {"Genre", 100},
                                                               {"Track", 50}}};

// A row for a file the run could not synchronise, marked so that it can be told apart later.
QTreeWidgetItem* UnresolvedRow(const QString& path) {
    auto* row = new QTreeWidgetItem(QStringList{path});
    for (int c = 0; c < int(kProcessedColumns.size()); ++c)
        row->setForeground(c, kRed);
    row->setData(0, Qt::UserRole, true);
    return row;
}

bool IsUnresolvedRow(const QTreeWidgetItem* row) {
    return row->data(0, Qt::UserRole).toBool();
}

// Whether the tag library can be loaded at all; a run that could not load it says so once.
bool TagLibraryLoadable() {
    try {
        const tagaccess::TDll library(tagaccess::kTagLibraryName);
        return true;
    } catch (const tagaccess::EDllError&) {
        return false;
    }
}

} // namespace

void TForm2::Image3Click() {
    if (WorkInProgress())
        return;
    RunProcessing();
    // The listed files have their fields now: they can be organized.
    if (RowCount() > 0)
        SetOrganizeStep(true);
}

void TForm2::RunProcessing() {
    const WorkScope work(*this);
    ResolvedCount = 0;
    UnresolvedCount = 0;
    tagaccess::ID3& id3 = *ListFilesId3();
    BatchRun run(*this, BatchRun::Bar::KeepsSearch);
    const std::vector<QString> paths(FoundPaths.begin(),
                                     FoundPaths.begin() + std::min(RowCount(), MaxFoundFiles));
    // A file is listed with the tags the processing last read of it, in the load that planned or
    // wrote it; read again only where that read failed.
    const auto heard = [&](const QString& path, bool synced, const tagjobs::FileTagsBefore* read) {
        if (!synced)
            UnresolvedPaths[size_t(UnresolvedCount++)] = path;
        else if (read)
            TagRows[size_t(ResolvedCount++)] =
                tagjobs::RowOf(path, UseId3v1 ? read->id3v1 : read->id3v2);
        else
            TagRows[size_t(ResolvedCount++)] = tagjobs::ReadRow(id3, path, UseId3v1);
    };
    const tagjobs::TagsRunResult result =
        tagjobs::SyncRun(id3, tagjobs::FileSet::Listed(paths), run, tagjobs::kPreferV2,
                         tagjobs::SyncFailures::Counted, heard);

    // Without a journal nothing was synchronised: the files are listed as not processed.
    if (result.count.taken == 0 && !result.journalError.isEmpty())
        for (const QString& path : paths)
            UnresolvedPaths[size_t(UnresolvedCount++)] = path;

    SetProcessedColumns();
    ShowProcessedRows();
    if (UnresolvedCount > 0 && !ending_ && !TagLibraryLoadable())
        ReportLibraryFailure();
    else if (!result.journalError.isEmpty() && !ending_)
        // Nothing is synchronised without its undo: the files stay as they were.
        platform::ShowMessage(
            QStringLiteral("The tags were not synchronised: %1.").arg(result.journalError));
    UpdateUndoCommand();
}

void TForm2::SetProcessedColumns() {
    QTreeWidget* list = ui_->ListView1;
    list->clear();
    const int existing = list->columnCount();
    // Columns that exist keep their direction flags; the ones added start afresh.
    Directions.KeepColumns(int(kProcessedColumns.size()));
    list->setColumnCount(int(kProcessedColumns.size()));
    QStringList captions;
    for (const ProcessedColumn& column : kProcessedColumns)
        captions << QString::fromLatin1(column.caption);
    list->setHeaderLabels(captions);
    for (int c = 0; c < int(kProcessedColumns.size()); ++c) {
        if (c < 2 || c >= existing)
            list->setColumnWidth(c, kProcessedColumns[size_t(c)].width);
    }
}

void TForm2::ShowProcessedRows() {
    QTreeWidget* list = ui_->ListView1;
    QList<QTreeWidgetItem*> rows;
    rows.reserve(ResolvedCount + (ShowUnresolved ? UnresolvedCount : 0));
    for (int j = 0; j < ResolvedCount; ++j) {
        const TagRow& row = TagRows[size_t(j)];
        rows.append(new QTreeWidgetItem(QStringList(row.begin(), row.begin() + 7)));
    }
    hiddenUnresolved_.assign(UnresolvedPaths.begin(), UnresolvedPaths.begin() + UnresolvedCount);
    if (ShowUnresolved) {
        for (const QString& path : hiddenUnresolved_)
            rows.append(UnresolvedRow(path));
        hiddenUnresolved_.clear();
    }
    list->setUpdatesEnabled(false);
    list->clear();
    list->addTopLevelItems(rows);
    list->setUpdatesEnabled(true);
    ShowCounts();
    RebuildFoundPaths();
}

void TForm2::ShowOrHideUnresolvedRows() {
    // Only the unresolved rows come and go; the rows the user kept stay as sorted.
    if (ShowUnresolved) {
        QList<QTreeWidgetItem*> rows;
        for (const QString& path : hiddenUnresolved_)
            rows.append(UnresolvedRow(path));
        hiddenUnresolved_.clear();
        ui_->ListView1->addTopLevelItems(rows);
    } else {
        std::vector<bool> marks;
        for (int r = 0; r < RowCount(); ++r)
            marks.push_back(IsUnresolvedRow(ui_->ListView1->topLevelItem(r)));
        for (const auto& row : TakeOutRows(marks))
            hiddenUnresolved_.push_back(row->text(0));
    }
    ShowCounts();
    RebuildFoundPaths();
}

void TForm2::ReportLibraryFailure() const {
    // A run passes no errors on, so a library that cannot be loaded at all is said once, here.
    platform::ShowMessage(tagaccess::EDllError(tagaccess::DllErrorFormats::Instance().loadLibrary,
                                               QString::fromLatin1(tagaccess::kTagLibraryName))
                              .Message());
}

void TForm2::ClearTagTables() {
    ResolvedCount = 0;
    UnresolvedCount = 0;
    for (TagRow& row : TagRows)
        std::fill(row.begin(), row.end(), QString());
    std::fill(UnresolvedPaths.begin(), UnresolvedPaths.end(), QString());
}

void TForm2::CheckBox1Click() {
    AutoProcess = ui_->CheckBox1->isChecked();
}

void TForm2::CheckBox2Click() {
    ShowUnresolved = ui_->CheckBox2->isChecked();
    // The shown view follows at once; a run in progress draws it at its end.
    if (ProcessedView() && !WorkInProgress())
        ShowOrHideUnresolvedRows();
}

void TForm2::RadioButton1Click() {
    if (WorkInProgress())
        return;
    UseId3v1 = true;
    ClearTagTables();
    Image3Click();
}

void TForm2::RadioButton2Click() {
    if (WorkInProgress())
        return;
    UseId3v1 = false;
    ClearTagTables();
    Image3Click();
}

} // namespace organizer
