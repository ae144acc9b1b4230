#pragma once

#include "DllErrors.h"
#include "platform/Loader.h"

namespace tagaccess {

// Owns one loaded library module for the length of one operation.
class TDll {
  public:
    // Loads the library; throws EDllError when it cannot.
    explicit TDll(const char* fileName);
    ~TDll();
    TDll(const TDll&) = delete;
    TDll& operator=(const TDll&) = delete;

    platform::HMODULE Handle() const noexcept { return handle_; }

  private:
    platform::HMODULE handle_ = nullptr;
};

// One entry point of a loaded library, resolved by name at construction; valid while its TDll
// lives.
template <typename Result, typename... Args> class TDllEntry {
  public:
    using Proc = Result (*)(Args...);

    // Throws EDllProcError when the library lacks the entry point.
    TDllEntry(const TDll& library, const char* name)
        : proc_(reinterpret_cast<Proc>(platform::GetProcAddress(library.Handle(), name))) {
        if (proc_ == nullptr)
            throw EDllProcError(DllErrorFormats::Instance().procAddress, QString::fromLatin1(name));
    }

    Result operator()(Args... args) const { return proc_(args...); }

  private:
    Proc proc_;
};

} // namespace tagaccess
