#include "TagCommandDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace organizer {

TagCommandDialog::TagCommandDialog(QWidget* parent, const QString& title, const QString& message,
                                   std::optional<ChosenTags> versions, const QString& acceptCaption)
    : QDialog(parent) {
    setWindowTitle(title);
    setObjectName(QStringLiteral("TagCommandDialog"));
    layout_ = new QVBoxLayout(this);
    message_ = new QLabel(message, this);
    message_->setObjectName(QStringLiteral("Message"));
    message_->setWordWrap(true);
    layout_->addWidget(message_);
    if (versions) {
        auto* group = new QGroupBox(QStringLiteral("Tags to change"), this);
        auto* row = new QHBoxLayout(group);
        const auto option = [&](const char* name, const char* caption, ChosenTags value) {
            auto* button = new QRadioButton(QString::fromLatin1(caption), group);
            button->setObjectName(QString::fromLatin1(name));
            button->setChecked(value == *versions);
            connect(button, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    emit VersionsChanged(Versions());
            });
            row->addWidget(button);
            return button;
        };
        id3v1_ = option("VersionId3v1", "ID3v1", ChosenTags::Id3v1);
        id3v2_ = option("VersionId3v2", "ID3v2", ChosenTags::Id3v2);
        both_ = option("VersionBoth", "ID3v1 and ID3v2", ChosenTags::Both);
        row->addStretch();
        layout_->addWidget(group);
    }
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(acceptCaption);
    buttons_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("AcceptButton"));
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout_->addWidget(buttons_);
    // A short question still gets lines long enough to read at a glance.
    setMinimumWidth(480);
}

void TagCommandDialog::SetBody(QWidget* body) {
    body->setParent(this);
    layout_->insertWidget(layout_->indexOf(buttons_), body, 1);
}

void TagCommandDialog::SetMessage(const QString& message) {
    message_->setText(message);
}

void TagCommandDialog::SetAcceptable(bool acceptable) {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(acceptable);
}

ChosenTags TagCommandDialog::Versions() const {
    if (both_ != nullptr && both_->isChecked())
        return ChosenTags::Both;
    if (id3v1_ != nullptr && id3v1_->isChecked())
        return ChosenTags::Id3v1;
    return ChosenTags::Id3v2;
}

} // namespace organizer
