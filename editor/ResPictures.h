#pragma once

#include <QImage>
#include <QString>

namespace editor {

// Loads a picture of the "Res" folder, looked up in the current folder first and, when it is not
// there, beside the executable, then in ../share/kivuna from there (the installed layout), so the
// pictures show whatever folder Kivuna is started from.
// Loaded anew on every call; raises the picture loader's error when it cannot be loaded.
QImage LoadResPicture(const QString& name);

} // namespace editor
