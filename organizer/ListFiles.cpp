#include "ListFiles.h"

#include "tagaccess/DllErrors.h"

#include <QtGlobal>
#include <memory>

// The layout pictures are compiled into this static library; a static library's resources must be
// registered by hand (the macro cannot stand inside a namespace).
static void RegisterLayoutPictures() {
    Q_INIT_RESOURCE(organizer);
}

namespace organizer {
namespace {

std::unique_ptr<tagaccess::ID3>& Instance() {
    static std::unique_ptr<tagaccess::ID3> id3;
    return id3;
}

} // namespace

void InitializeListFiles() {
    RegisterLayoutPictures();
    tagaccess::DllErrorFormats::Instance();
    if (!Instance())
        Instance() = std::make_unique<tagaccess::ID3>();
}

tagaccess::ID3* ListFilesId3() {
    return Instance().get();
}

} // namespace organizer
