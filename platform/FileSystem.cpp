#include "FileSystem.h"

#include <QFile>
#include <sys/stat.h>

namespace platform {

bool FileExists(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && stat(QFile::encodeName(path).constData(), &st) == 0 &&
           S_ISREG(st.st_mode);
}

} // namespace platform
