#include "Unit1.h"

#include "tagaccess/DllErrors.h"
#include "tagaccess/GenreTable.h"

#include <QtGlobal>
#include <memory>

// The layout pictures are compiled into this static library; a static library's resources must be
// registered by hand (the macro cannot stand inside a namespace).
static void RegisterLayoutPictures() {
    Q_INIT_RESOURCE(editor);
}

namespace editor {
namespace {

std::unique_ptr<tagaccess::ID3>& Instance() {
    static std::unique_ptr<tagaccess::ID3> id3;
    return id3;
}

} // namespace

void InitializeUnit1() {
    RegisterLayoutPictures();
    tagaccess::DllErrorFormats::Instance();
    tagaccess::TheGenreTable();
    if (!Instance())
        Instance() = std::make_unique<tagaccess::ID3>();
}

tagaccess::ID3* Unit1Id3() {
    return Instance().get();
}

void ReleaseUnit1Id3() {
    Instance().reset();
}

} // namespace editor
