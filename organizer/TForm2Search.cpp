// The first step: find the MP3 files of a folder tree.
#include "TForm2.h"
#include "TForm2WorkScope.h"
#include "platform/AnsiText.h"
#include "platform/FileDialogs.h"
#include "platform/FindFiles.h"
#include "platform/MessageBox.h"
#include "platform/RuntimeText.h"
#include "platform/SearchAnimation.h"
#include "tagjobs/FolderWalk.h"
#include "ui_TForm2.h"

#include <QCoreApplication>
#include <QHeaderView>

namespace organizer {

void TForm2::Image2Click() {
    if (WorkInProgress())
        return;
    const QString chosen = platform::GetExistingDirectory(
        nullptr, {QStringLiteral("Select folder:"), QString(), LastFolder});
    if (chosen.isEmpty())
        return;
    LastFolder = chosen;
    const WorkScope work(*this);

    SetProcessStep(false);
    SetOrganizeStep(false);
    ui_->Image6->hide();
    ui_->Image7->hide();
    ui_->Image5->show();
    statusPanels_[0]->setText(QStringLiteral("0 file(s)"));
    ui_->Label7->setText(QStringLiteral("0"));
    ui_->ListView1->clear();
    SetSearchColumns();
    ui_->Label9->setText(QStringLiteral("Searching for files..."));
    ui_->Label9->adjustSize();

    Running = 1;
    ui_->Animate1->Start();
    ui_->Animate1->show();
    FoundFileList found;
    found.reserve(MaxFoundFiles);
    // Window messages are processed after every entry: the stop button can end the walk there.
    tagjobs::FolderWalk walk(found, [this] {
        QCoreApplication::processEvents();
        return Running != 0;
    });
    walk.FindFiles(platform::ToAnsi(LastFolder + u'/'), platform::ToAnsi(QStringLiteral("*.mp3")),
                   platform::faAnyFile, Running, MaxFoundFiles);
    ShowFoundFiles(found);
    if (!walk.Unread().empty()) {
        QString text = QStringLiteral("%1 folder(s) could not be read; their files are not in the "
                                      "list:")
                           .arg(walk.Unread().size());
        for (const auto& [folder, why] : walk.Unread())
            text += QStringLiteral("\n%1: %2").arg(folder, why);
        platform::ShowMessage(text);
    }
    ui_->Animate1->Stop();
    ui_->Animate1->hide();

    const int n = RowCount();
    statusPanels_[0]->setText(platform::IntToStr(n) + QStringLiteral(" file(s)"));
    statusPanels_[1]->setText(QString());
    ui_->Label7->setText(platform::IntToStr(n));
    ui_->Label7->show();
    ui_->Label9->setText(QStringLiteral("Progress"));
    ui_->Label9->adjustSize();

    // Twice: the list ends ascending by name while the name flag keeps its value.
    SortByColumn(0);
    SortByColumn(0);
    RebuildFoundPaths();
    // A bar whose maximum is 0 would show Qt's busy indicator instead of an empty bar.
    ui_->ProgressBar1->setRange(0, std::max(n, 1));
    ui_->ProgressBar1->setValue(0);

    // A stopped search ends there: processing would rewrite files the user chose not to wait for.
    if (!AutoProcess || Running == 0) {
        SetProcessStep(true);
        ui_->Image5->hide();
        ui_->Image6->show();
        return;
    }
    SetProcessStep(false);
    ui_->Image6->hide();
    ui_->Image5->hide();
    RunProcessing();
    SetOrganizeStep(true);
    ui_->Image7->show();
}

void TForm2::SetSearchColumns() {
    QTreeWidget* list = ui_->ListView1;
    if (list->columnCount() > 2)
        Directions.NewColumns(2);
    list->setColumnCount(2);
    list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Path")});
    list->setColumnWidth(0, 300);
    list->setColumnWidth(1, 689);
}

void TForm2::ShowFoundFiles(const FoundFileList& found) {
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(found.size()));
    for (const FoundFile& file : found)
        rows.append(new QTreeWidgetItem(QStringList{file.Name, file.Folder}));
    ui_->ListView1->setUpdatesEnabled(false);
    ui_->ListView1->addTopLevelItems(rows);
    ui_->ListView1->setUpdatesEnabled(true);
}

} // namespace organizer
