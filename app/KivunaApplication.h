#pragma once

#include <QApplication>

namespace app {

// The application object: title "Kivuna", and event dispatch that brings every failure escaping a
// handler to the error box, so the program goes on.
class KivunaApplication : public QApplication {
  public:
    KivunaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
