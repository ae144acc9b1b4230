#pragma once

#include "TForm2.h"
#include "platform/ErrorBox.h"
#include "platform/GuardedHandler.h"

#include <QObject>
#include <QRadioButton>

namespace organizer {

using platform::Handle;

// Runs the handler when the option becomes the selected one.
inline void HandleSelected(QRadioButton* option, TForm2* form, void (TForm2::*handler)()) {
    QObject::connect(option, &QRadioButton::toggled, form, [form, handler](bool on) {
        if (on)
            platform::Guard([&] { (form->*handler)(); });
    });
}

} // namespace organizer
