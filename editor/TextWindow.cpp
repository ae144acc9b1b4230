#include "TextWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace editor {

QWidget* ShowTextWindow(QWidget* parent, const QString& objectName, const QString& title,
                        const QString& text, TextFormat format, QSize size) {
    auto* window = parent->findChild<QDialog*>(objectName, Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new QDialog(parent);
        window->setObjectName(objectName);
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(window);
        auto* browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("Text"));
        browser->setOpenExternalLinks(true);
        // The guide's pictures are stored beside it.
        browser->setSearchPaths({QStringLiteral(":/editor")});
        layout->addWidget(browser);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
        QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
        layout->addWidget(buttons);
        window->resize(size);
    }
    window->setWindowTitle(title);
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("Text"));
    if (format == TextFormat::Markdown)
        browser->setMarkdown(text);
    else
        browser->setPlainText(text);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace editor
