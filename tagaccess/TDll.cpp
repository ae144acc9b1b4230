#include "TDll.h"

namespace tagaccess {

TDll::TDll(const char* fileName) : handle_(platform::LoadLibraryA(fileName)) {
    if (handle_ == nullptr)
        throw EDllError(DllErrorFormats::Instance().loadLibrary, QString::fromUtf8(fileName));
}

TDll::~TDll() {
    if (handle_ != nullptr)
        platform::FreeLibrary(handle_);
}

} // namespace tagaccess
