#include "RepairPreview.h"

#include "DialogParts.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <utility>

namespace organizer {
namespace {

enum Column { kFile, kTag, kField, kOld, kNew, kDamage };

// Every row knows its file, so a click anywhere in a file's rows finds its check box.
constexpr int kPathRole = Qt::UserRole;

} // namespace

RepairPreview::RepairPreview(QWidget* parent) : QTreeWidget(parent) {
    SetUpPreview(*this, QStringLiteral("RepairList"),
                 {QStringLiteral("File"), QStringLiteral("Tag"), QStringLiteral("Field"),
                  QStringLiteral("Old text"), QStringLiteral("New text"),
                  QStringLiteral("How it was garbled")});
    setSelectionMode(QAbstractItemView::NoSelection);
    for (const auto& [column, width] :
         {std::pair{kFile, 210}, {kTag, 52}, {kField, 66}, {kOld, 200}, {kNew, 200}})
        setColumnWidth(column, width);
    setMinimumSize(960, 360);
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (!filling_ && column == kFile && (item->flags() & Qt::ItemIsUserCheckable))
            FileToggled(item);
    });
}

int RepairPreview::Show(const std::vector<RepairFile>& files, tagjobs::ChosenTags versions) {
    QList<QTreeWidgetItem*> rows;
    int shownFiles = 0;
    for (const RepairFile& file : files) {
        bool first = true;
        for (const tagjobs::FieldRepair& repair : file.repairs) {
            if (!tagjobs::Includes(versions, repair.version))
                continue;
            auto* row = new QTreeWidgetItem(
                QStringList{first ? QFileInfo(file.path).fileName() : QString(),
                            QStringLiteral("ID3v%1").arg(repair.version),
                            QString::fromLatin1(tagaccess::kFieldNames[size_t(repair.field)]),
                            repair.before, repair.after, repair.damage});
            row->setData(kFile, kPathRole, file.path);
            row->setToolTip(kFile, file.path);
            row->setToolTip(kOld, repair.before);
            row->setToolTip(kNew, repair.after);
            row->setFlags(Qt::ItemIsEnabled);
            if (first) {
                row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
                row->setCheckState(kFile,
                                   unchecked_.count(file.path) != 0 ? Qt::Unchecked : Qt::Checked);
                ++shownFiles;
            }
            rows.append(row);
            first = false;
        }
    }
    filling_ = true;
    setUpdatesEnabled(false);
    clear();
    addTopLevelItems(rows);
    // Names are shown whole where they reasonably can be; a longer one gives way at its end.
    resizeColumnToContents(kFile);
    setColumnWidth(kFile, std::clamp(columnWidth(kFile), 160, 320));
    for (QTreeWidgetItem* row : rows)
        if (row->flags() & Qt::ItemIsUserCheckable)
            FileToggled(row);
    setUpdatesEnabled(true);
    filling_ = false;
    emit CheckedChanged();
    return shownFiles;
}

void RepairPreview::FileToggled(QTreeWidgetItem* item) {
    const QString path = item->data(kFile, kPathRole).toString();
    const bool checked = item->checkState(kFile) == Qt::Checked;
    if (checked)
        unchecked_.erase(path);
    else
        unchecked_.insert(path);
    // The rows of an unchecked file are shown as left alone.
    const QBrush text =
        palette().brush(checked ? QPalette::Active : QPalette::Disabled, QPalette::Text);
    const bool wasFilling = std::exchange(filling_, true);
    for (int r = indexOfTopLevelItem(item); r < topLevelItemCount(); ++r) {
        QTreeWidgetItem* row = topLevelItem(r);
        if (row->data(kFile, kPathRole).toString() != path)
            break;
        for (int c = 0; c < columnCount(); ++c)
            row->setForeground(c, text);
    }
    filling_ = wasFilling;
    if (!filling_)
        emit CheckedChanged();
}

std::vector<QString> RepairPreview::CheckedFiles() const {
    std::vector<QString> checked;
    for (int r = 0; r < topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = topLevelItem(r);
        if ((row->flags() & Qt::ItemIsUserCheckable) && row->checkState(kFile) == Qt::Checked)
            checked.push_back(row->data(kFile, kPathRole).toString());
    }
    return checked;
}

} // namespace organizer
