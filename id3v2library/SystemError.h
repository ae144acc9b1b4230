#pragma once

// The reason the system gave for the step of a save that failed (an errno: "No space left on
// device"), kept per thread from the start of a save to the caller's question. Only the steps
// that write record it, so a failed probe for a side file never stands in for the reason.
#include <cerrno>

namespace kivuna::tags {

// The reason for a file still marked by an in-place rewrite made under another of its names, in
// another folder: its journal lies beside that name, and only a load or save by it finishes the
// rewrite. Such a file must never read as one without tags.
inline constexpr int kUnfinishedRewrite = -1;
// The reason for a save that would have changed the tag's version and lost frames that version
// cannot hold (Id3v2Changes::version).
inline constexpr int kUnconvertedFrames = -2;

void ClearSystemError();
int LastSystemError();
// Keeps `error` as the reason and answers false, for `return KeepSystemError();`.
bool KeepSystemError(int error = errno);

} // namespace kivuna::tags
