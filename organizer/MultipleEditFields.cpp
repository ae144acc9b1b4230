#include "MultipleEditFields.h"

#include "tagaccess/GenreTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <limits>
#include <optional>

namespace organizer {
namespace {

// An empty track clears it; anything else is a whole number, or "n/total" (the form ID3v2 keeps;
// ID3v1 keeps n).
std::optional<int> TrackOf(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,9})(/\\d{1,9})?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    return match.hasMatch() ? std::optional<int>(match.captured(1).toInt()) : std::nullopt;
}

constexpr int kLargestId3v1Track = 255;

} // namespace

MultipleEditFields::MultipleEditFields(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MultipleEditFields"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < tagaccess::kTagFieldCount; ++i) {
        const QString name = QString::fromLatin1(tagaccess::kFieldNames[size_t(i)]);
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
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("TrackNote"));
    note_->setWordWrap(true);
    grid->addWidget(note_, tagaccess::kTagFieldCount, 0, 1, 4);
    connect(this, &MultipleEditFields::Changed, this, [this] { note_->setText(TrackNote()); });
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

void MultipleEditFields::SetFileCount(int files) {
    files_ = files;
    note_->setText(TrackNote());
}

QString MultipleEditFields::TrackNote() const {
    const tagjobs::FieldEdit edit = Edit();
    const auto& track = edit.values[tagaccess::kTrack];
    if (edit.autoNumber && files_ > kLargestId3v1Track)
        return QStringLiteral("ID3v1 keeps tracks up to 255: the files after the 255th get no "
                              "track there.");
    if (!track || track->isEmpty())
        return QString();
    const std::optional<int> number = TrackOf(*track);
    if (!number)
        return QStringLiteral("A track is a whole number, or n/total as in 5/12 (ID3v1 keeps n).");
    if (*number > kLargestId3v1Track)
        return QStringLiteral("ID3v1 keeps tracks up to 255: %1 is stored there as no track.")
            .arg(*number);
    return QString();
}

bool MultipleEditFields::Acceptable() const {
    const tagjobs::FieldEdit edit = Edit();
    const auto& track = edit.values[tagaccess::kTrack];
    return edit.ChangesAnything() && (!track || track->isEmpty() || TrackOf(*track));
}

} // namespace organizer
