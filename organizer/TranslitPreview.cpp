#include "TranslitPreview.h"

#include "DialogParts.h"

#include "tagaccess/Id3v1Storage.h"

#include <QFileInfo>

namespace organizer {
namespace {

// Adds one row per field that differs; answers whether any did.
bool AddChangedFields(QList<QTreeWidgetItem*>& rows, const QString& path, const char* tag,
                      const tagaccess::TagFields& before, const tagaccess::TagFields& after) {
    bool changed = false;
    for (size_t i = 0; i < tagaccess::kFieldNames.size(); ++i) {
        if (before[i] == after[i])
            continue;
        auto* row = new QTreeWidgetItem(
            QStringList{QFileInfo(path).fileName(), QString::fromLatin1(tag),
                        QString::fromLatin1(tagaccess::kFieldNames[i]), before[i], after[i]});
        row->setToolTip(0, path);
        rows.append(row);
        changed = true;
    }
    return changed;
}

} // namespace

TranslitPreview::TranslitPreview(QWidget* parent) : QTreeWidget(parent) {
    SetUpPreview(*this, QStringLiteral("PreviewList"),
                 {QStringLiteral("File"), QStringLiteral("Tag"), QStringLiteral("Field"),
                  QStringLiteral("Old text"), QStringLiteral("New text")});
    setSelectionMode(QAbstractItemView::NoSelection);
    for (const auto& [column, width] : {std::pair{0, 220}, {1, 50}, {2, 70}, {3, 230}})
        setColumnWidth(column, width);
    setMinimumSize(860, 360);
}

int TranslitPreview::Show(const std::vector<PreviewFile>& files, tagjobs::ChosenTags versions,
                          const tagjobs::FieldsChange& change) {
    using tagaccess::AsStored;
    QList<QTreeWidgetItem*> rows;
    int changedFiles = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        const tagjobs::FileTagsBefore& before = files[i].tags;
        QString refusal;
        const tagjobs::FileTagsBefore after =
            tagjobs::ChangedTags(before, versions, int(i) + 1, change, &refusal);
        if (!refusal.isEmpty()) {
            auto* row = new QTreeWidgetItem(QStringList{QFileInfo(files[i].path).fileName(),
                                                        QStringLiteral("ID3v1"), QString(),
                                                        QString(), refusal});
            row->setToolTip(0, files[i].path);
            row->setToolTip(4, refusal);
            rows.append(row);
        }
        const bool v1 =
            AddChangedFields(rows, files[i].path, "ID3v1", AsStored(before.id3v1, 1), after.id3v1);
        const bool v2 =
            AddChangedFields(rows, files[i].path, "ID3v2", AsStored(before.id3v2, 2), after.id3v2);
        changedFiles += (v1 || v2) ? 1 : 0;
    }
    setUpdatesEnabled(false);
    clear();
    addTopLevelItems(rows);
    setUpdatesEnabled(true);
    return changedFiles;
}

} // namespace organizer
