#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QTreeWidget;
class QWidget;

// Pieces the naming dialogs share, so they look and behave alike.
namespace organizer {

// Makes a list a preview table: no root decoration, rows of one height, the given column
// captions, the last column taking the room left.
void SetUpPreview(QTreeWidget& list, const QString& name, const QStringList& captions);

// A preview table with whole-row selection.
QTreeWidget* NewPreview(QWidget* parent, const QStringList& captions);

// A label that wraps its text, hidden while it has none; red when it reports a problem.
QLabel* NewNote(QWidget* parent, const char* name, bool problem = false);

// Shows the text in the note, or hides the note when the text is empty.
void SetNote(QLabel* note, const QString& text);

// The end of a run in the summary note: what it did, whether the stop button cut it short, and
// a message when its journal could not be written.
void ShowRunEnd(QLabel* summary, QString text, bool stopped, const QString& journalError);

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption);

} // namespace organizer
