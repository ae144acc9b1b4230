#pragma once

// What a file carries besides its bytes: owner, group, permissions and extended attributes (POSIX
// ACLs are stored as system.posix_acl_* attributes, so they are among them).
#include "FileDescriptor.h"

namespace kivuna::tags {

// Gives `to` the owner, group, permissions and extended attributes of `from`, and removes
// attributes `to` has that `from` lacks (a folder's default ACL, say). True only when `to` now
// carries exactly what `from` does; an ordinary user cannot give a file away, for one.
bool CopyFileIdentity(const FileDescriptor& from, const FileDescriptor& to);

} // namespace kivuna::tags
