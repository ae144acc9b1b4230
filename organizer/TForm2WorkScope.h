#pragma once

#include "TForm2.h"

namespace organizer {

// Work in progress for the scope's lifetime: the commands that must wait are disabled on entry
// and restored when the outermost scope ends.
class TForm2::WorkScope {
  public:
    explicit WorkScope(TForm2& form) : form_(form) {
        ++form_.workDepth_;
        form_.ApplyCommandStates();
    }
    ~WorkScope() {
        --form_.workDepth_;
        form_.ApplyCommandStates();
    }
    WorkScope(const WorkScope&) = delete;
    WorkScope& operator=(const WorkScope&) = delete;

  private:
    TForm2& form_;
};

} // namespace organizer
