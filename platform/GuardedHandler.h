#pragma once

#include "ErrorBox.h"

#include <QObject>

namespace platform {

// Connects a signal to a handler of a window; a failure in the handler goes to the error box
// instead of into the toolkit.
template <typename Sender, typename Signal, typename Form>
void Handle(Sender* sender, Signal signal, Form* form, void (Form::*handler)()) {
    QObject::connect(sender, signal, form, [form, handler] { Guard([&] { (form->*handler)(); }); });
}

} // namespace platform
