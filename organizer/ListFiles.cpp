#include "ListFiles.h"

#include "tagaccess/DllErrors.h"

#include <memory>

namespace organizer {
namespace {

std::unique_ptr<tagaccess::ID3>& Instance() {
    static std::unique_ptr<tagaccess::ID3> id3;
    return id3;
}

} // namespace

void InitializeListFiles() {
    tagaccess::DllErrorFormats::Instance();
    if (!Instance())
        Instance() = std::make_unique<tagaccess::ID3>();
}

tagaccess::ID3* ListFilesId3() {
    return Instance().get();
}

} // namespace organizer
