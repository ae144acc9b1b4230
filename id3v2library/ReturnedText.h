#pragma once

// Holds the text a getter returned, so the caller's pointer stays valid until the next call on the
// same handle.
#include <string>

namespace kivuna::tags {

class ReturnedText {
  public:
    const char* Keep(std::string text) {
        text_ = std::move(text);
        return text_.c_str();
    }

  private:
    std::string text_;
};

} // namespace kivuna::tags
