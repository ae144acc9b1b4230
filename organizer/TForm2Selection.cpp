// Selecting rows of the list and removing them; the list's popup menu.
#include "TForm2.h"
#include "TForm2Handlers.h"
#include "TForm2WorkScope.h"
#include "platform/RuntimeText.h"
#include "ui_TForm2.h"

#include <QMenu>
#include <memory>

namespace organizer {

void TForm2::BuildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    const auto submenu = [this](const char* name, const char* caption) {
        QMenu* menu = PopupMenu1->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    Handle(item(PopupMenu1, "SelectAll1", "Select &All"), &QAction::triggered, this,
           &TForm2::SelectAll1Click);
    Handle(item(PopupMenu1, "Des1", "&Deselect All"), &QAction::triggered, this,
           &TForm2::Des1Click);
    Handle(item(PopupMenu1, "DeletefromList1", "De&lete from List"), &QAction::triggered, this,
           &TForm2::DeletefromList1Click);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    // The tag and naming commands are added by their own files.
    QMenu* edit = submenu("Edittags1", "&Edit tags");
    item(edit, "Multiple1", "&Multiple");
    item(edit, "Single1", "&Single");
    QMenu* clear = submenu("Clearalltags1", "&Clear all tags");
    item(clear, "LeaveID3tags1", "Leave ID3 tags");
    item(clear, "KillID3tags1", "Kill ID3 tags");
    QMenu* translit = submenu("ranslittagfields1", "&Translit tag fields");
    item(translit, "RusEng1", "Rus >> Eng");
    item(translit, "EngRus1", "Eng >> Rus");
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N2"));
    AddNamingMenuItems();
    AddTagCommands();
}

void TForm2::ListView1SelectItem() {
    statusPanels_[1]->setText(QStringLiteral("Selected: ") + platform::IntToStr(SelectedCount()));
}

void TForm2::ListView1KeyDown(int key) {
    if (key == Qt::Key_Delete && RowCount() > 0 && !WorkInProgress())
        RemoveSelectedRows();
}

void TForm2::DeletefromList1Click() {
    if (RowCount() > 0 && !WorkInProgress())
        RemoveSelectedRows();
}

void TForm2::ListView1Deletion() {
    ShowCounts();
}

void TForm2::SelectAll1Click() {
    ui_->ListView1->selectAll();
}

void TForm2::Des1Click() {
    ui_->ListView1->clearSelection();
}

void TForm2::RemoveSelectedRows() {
    QTreeWidget* list = ui_->ListView1;
    const std::vector<bool> removed = SelectedRowMarks();
    if (std::find(removed.begin(), removed.end(), true) != removed.end()) {
        list->clearSelection();
        TakeOutRows(removed);
        ListView1Deletion();
    }
    RebuildFoundPaths();
    ShowCounts();
}

std::vector<std::unique_ptr<QTreeWidgetItem>> TForm2::TakeOutRows(const std::vector<bool>& marks) {
    QTreeWidget* list = ui_->ListView1;
    // The kept rows go back in one step; removing thousands one by one would be slow.
    list->setUpdatesEnabled(false);
    const QList<QTreeWidgetItem*> rows = list->invisibleRootItem()->takeChildren();
    QList<QTreeWidgetItem*> kept;
    std::vector<std::unique_ptr<QTreeWidgetItem>> taken;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (marks[size_t(r)])
            taken.emplace_back(rows[r]);
        else
            kept.append(rows[r]);
    }
    list->addTopLevelItems(kept);
    list->setUpdatesEnabled(true);
    return taken;
}

} // namespace organizer
