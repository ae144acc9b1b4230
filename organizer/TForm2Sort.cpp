// Sorting the list by a column; each click on the same column reverses its order.
#include "TForm2.h"
#include "platform/RuntimeText.h"
#include "ui_TForm2.h"

#include <QItemSelection>
#include <algorithm>

namespace organizer {
namespace {

// Texts compare with only a-z folded; flag 1 is ascending, any other value descending.
int CompareByFlag(int flag, const QString& text1, const QString& text2) {
    return flag == 1 ? platform::CompareText(text1, text2) : platform::CompareText(text2, text1);
}

} // namespace

void TForm2::ListView1ColumnClick(int column) {
    if (!WorkInProgress())
        SortByColumn(column);
}

int TForm2::ListView1Compare(const QTreeWidgetItem* Item1, const QTreeWidgetItem* Item2) const {
    return CompareByFlag(Directions.Of(SortColumn), Item1->text(SortColumn),
                         Item2->text(SortColumn));
}

void TForm2::SortByColumn(int column) {
    SortColumn = column;
    QTreeWidget* list = ui_->ListView1;
    // The rows leave the list, are ordered by their texts in that column and come back in one
    // step; the selected ones are selected again in one step too.
    const std::vector<bool> selected = SelectedRowMarks();
    list->clearSelection();
    QList<QTreeWidgetItem*> rows = list->invisibleRootItem()->takeChildren();
    struct Keyed {
        QString text;
        qsizetype from;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(rows.size()));
    for (qsizetype r = 0; r < rows.size(); ++r)
        keyed.push_back({rows[r]->text(column), r});
    const int flag = Directions.Of(column);
    std::stable_sort(keyed.begin(), keyed.end(), [flag](const Keyed& a, const Keyed& b) {
        return CompareByFlag(flag, a.text, b.text) < 0;
    });
    QList<QTreeWidgetItem*> sorted;
    sorted.reserve(rows.size());
    // Runs of selected rows, as first and last row in the new order.
    std::vector<std::pair<int, int>> runs;
    for (const Keyed& row : keyed) {
        const int at = int(sorted.size());
        sorted.append(rows[row.from]);
        if (!selected[size_t(row.from)])
            continue;
        if (!runs.empty() && runs.back().second == at - 1)
            runs.back().second = at;
        else
            runs.emplace_back(at, at);
    }
    list->setUpdatesEnabled(false);
    list->addTopLevelItems(sorted);
    if (!runs.empty()) {
        QItemSelection selection;
        const int last = list->columnCount() - 1;
        for (const auto& [first, end] : runs)
            selection.select(list->model()->index(first, 0), list->model()->index(end, last));
        list->selectionModel()->select(selection, QItemSelectionModel::Select);
    }
    list->setUpdatesEnabled(true);

    int& direction = Directions.Of(column);
    direction = direction == 1 ? 0 : 1;
    RebuildFoundPaths();
}

} // namespace organizer
