// Symbolic links are followed only when they cannot have been planted by
// another account: a link owned by this process's user, or by the owner of
// what it finally names. In a tree that others may write into (a shared or
// served web folder), a link of theirs to /etc/shadow is refused rather than
// read or written through, wherever it stands in a path.
#pragma once

#include "files/io/PosixFile.h"

#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace glyphwright {

// Whether a link owned by link may be followed to target.
bool MayFollowLink(const struct stat& link, const struct stat& target);

// path with every symbolic link in it replaced by what it names, checked link
// by link. Throws LinkRefusedError naming the first link that may not be
// followed, or that names nothing and is not this user's. A part that cannot
// be looked at ends the resolution there: the rest follows as it stands, so
// that the caller's own open fails with the real reason.
std::string ResolveTrustedLinks(const std::string& path);

// Opens path following no symbolic link in any of its parts (openat2 with
// RESOLVE_NO_SYMLINKS), so that a link met fails the open with ELOOP rather
// than being followed. Where the kernel lacks openat2, only the last part is
// guarded (O_NOFOLLOW), and LinksSeenOnOpen() says so.
posix::FileDescriptor OpenWithoutLinks(const std::string& path, int flags, mode_t mode = 0);
bool LinksSeenOnOpen();

} // namespace glyphwright
