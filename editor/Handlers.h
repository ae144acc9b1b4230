#pragma once

#include "TForm1.h"
#include "platform/ErrorBox.h"

#include <QObject>

namespace editor {

// Connects a signal to a handler of the window; a failure in the handler goes to the error box
// instead of into the toolkit.
template <typename Sender, typename Signal>
void Handle(Sender* sender, Signal signal, TForm1* form, void (TForm1::*handler)()) {
    QObject::connect(sender, signal, form,
                     [form, handler] { platform::Guard([&] { (form->*handler)(); }); });
}

} // namespace editor
