#pragma once

#include "TForm2.h"
#include "platform/ErrorBox.h"

#include <QObject>
#include <QRadioButton>

namespace organizer {

// Connects a signal to a handler of the window; a failure in the handler goes to the error box
// instead of into the toolkit.
template <typename Sender, typename Signal>
void Handle(Sender* sender, Signal signal, TForm2* form, void (TForm2::*handler)()) {
    QObject::connect(sender, signal, form,
                     [form, handler] { platform::Guard([&] { (form->*handler)(); }); });
}

// Runs the handler when the option becomes the selected one.
inline void HandleSelected(QRadioButton* option, TForm2* form, void (TForm2::*handler)()) {
    QObject::connect(option, &QRadioButton::toggled, form, [form, handler](bool on) {
        if (on)
            platform::Guard([&] { (form->*handler)(); });
    });
}

} // namespace organizer
