#include "DialogParts.h"

#include "platform/MessageBox.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace organizer {

QTreeWidget* NewPreview(QWidget* parent, const QStringList& captions) {
    auto* preview = new QTreeWidget(parent);
    SetUpPreview(*preview, QStringLiteral("Preview"), captions);
    preview->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Paths differ at their ends: the middle gives way.
    preview->setTextElideMode(Qt::ElideMiddle);
    return preview;
}

void SetUpPreview(QTreeWidget& list, const QString& name, const QStringList& captions) {
    list.setObjectName(name);
    list.setRootIsDecorated(false);
    list.setUniformRowHeights(true);
    list.setHeaderLabels(captions);
    list.header()->setStretchLastSection(true);
}

QLabel* NewNote(QWidget* parent, const char* name, bool problem) {
    auto* note = new QLabel(parent);
    note->setObjectName(QString::fromLatin1(name));
    note->setWordWrap(true);
    // An empty note takes no room.
    note->hide();
    if (problem)
        note->setStyleSheet(QStringLiteral("color: #c00000;"));
    return note;
}

void SetNote(QLabel* note, const QString& text) {
    note->setText(text);
    note->setVisible(!text.isEmpty());
}

void ShowRunEnd(QLabel* summary, QString text, bool stopped, const QString& journalError) {
    if (stopped)
        text += QStringLiteral(" Stopped before the end.");
    SetNote(summary, text);
    if (!journalError.isEmpty())
        platform::ShowMessage(journalError + QStringLiteral("\nNothing was changed after this."));
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace organizer
