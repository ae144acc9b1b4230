#include "MultipleEditFields.h"

#include "tagaccess/GenreTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <limits>

namespace organizer {
namespace {

constexpr std::array<const char*, tagaccess::kTagFieldCount> kFieldNames = {
    "Title", "Artist", "Album", "Year", "Genre", "Track", "Comment"};

// An empty track clears it; anything else must be a whole number (ID3v1 keeps 1 to 255 of them).
bool TrackAcceptable(const QString& text) {
    if (text.trimmed().isEmpty())
        return true;
    bool number = false;
    const int track = text.trimmed().toInt(&number);
    return number && track >= 0;
}

} // namespace

MultipleEditFields::MultipleEditFields(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MultipleEditFields"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < tagaccess::kTagFieldCount; ++i) {
        const QString name = QString::fromLatin1(kFieldNames[size_t(i)]);
        auto* change = new QCheckBox(QStringLiteral("change"), this);
        change->setObjectName(QStringLiteral("Change") + name);
        auto* caption = new QLabel(name + QLatin1Char(':'), this);
        QLineEdit* edit = nullptr;
        QWidget* control = nullptr;
        if (i == tagaccess::kGenre) {
            genre_ = new QComboBox(this);
            genre_->setEditable(true);
            for (const QString& genre : tagaccess::TheGenreTable())
                genre_->addItem(genre);
            genre_->setCurrentIndex(-1);
            genre_->setEditText(QString());
            edit = genre_->lineEdit();
            control = genre_;
        } else {
            edit = new QLineEdit(this);
            control = edit;
        }
        control->setObjectName(QStringLiteral("Edit") + name);
        edit->setMaxLength(std::numeric_limits<int>::max());
        caption->setBuddy(control);
        change_[size_t(i)] = change;
        edits_[size_t(i)] = edit;
        grid->addWidget(caption, i, 0);
        grid->addWidget(control, i, 1);
        grid->addWidget(change, i, 3);
        connect(change, &QCheckBox::toggled, this, &MultipleEditFields::Changed);
        connect(edit, &QLineEdit::textEdited, change, [change] { change->setChecked(true); });
        connect(edit, &QLineEdit::textChanged, this, &MultipleEditFields::Changed);
    }
    autoNumber_ = new QCheckBox(QStringLiteral("auto-number"), this);
    autoNumber_->setObjectName(QStringLiteral("AutoNumber"));
    autoNumber_->setToolTip(QStringLiteral("Number the files 1, 2, 3... in the list's order"));
    grid->addWidget(autoNumber_, tagaccess::kTrack, 2);
    connect(autoNumber_, &QCheckBox::toggled, this, [this](bool on) {
        edits_[tagaccess::kTrack]->setEnabled(!on);
        if (on)
            change_[tagaccess::kTrack]->setChecked(true);
        emit Changed();
    });
    grid->setColumnMinimumWidth(1, 320);
    grid->setColumnStretch(1, 1);
}

tagjobs::FieldEdit MultipleEditFields::Edit() const {
    tagjobs::FieldEdit edit;
    for (size_t i = 0; i < change_.size(); ++i) {
        if (change_[i]->isChecked())
            edit.values[i] = edits_[i]->text();
    }
    edit.autoNumber = change_[tagaccess::kTrack]->isChecked() && autoNumber_->isChecked();
    if (edit.autoNumber)
        edit.values[tagaccess::kTrack].reset();
    else if (edit.values[tagaccess::kTrack])
        edit.values[tagaccess::kTrack] = edit.values[tagaccess::kTrack]->trimmed();
    return edit;
}

bool MultipleEditFields::Acceptable() const {
    const tagjobs::FieldEdit edit = Edit();
    const auto& track = edit.values[tagaccess::kTrack];
    return edit.ChangesAnything() && (!track || TrackAcceptable(*track));
}

} // namespace organizer
