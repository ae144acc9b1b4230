#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace editor {

enum class TextFormat { Plain, Markdown };

// Shows a small window of read-only text beside `parent`, not modal, deleted when closed. A
// window of that name already open is raised with the new text rather than opened twice.
QWidget* ShowTextWindow(QWidget* parent, const QString& objectName, const QString& title,
                        const QString& text, TextFormat format, QSize size);

} // namespace editor
