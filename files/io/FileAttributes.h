// What a new file takes over from the file it replaces: owner and group,
// extended attributes (the ACL and security labels among them) and the
// permission bits.
#pragma once

#include <sys/stat.h>

namespace glyphwright {

// Gives the file at fd the owner and group of old. False when the process
// may not (another user's file): the caller then keeps the old file instead.
bool TakeOverOwner(int fd, const struct stat& old);

// Copies every extended attribute of from that can be read to to. One that
// may not be set here (a label of another security module, a trusted.*
// attribute without the right) is left out without a word.
void CopyExtendedAttributes(int from, int to);

// The permission bits of old; after the owner, as a change of owner clears
// set-id bits. False with errno set when refused.
bool TakeOverMode(int fd, const struct stat& old);

// Makes the new file at fd a copy's equal of the original (open at
// originalFd): its owner and group where this process may give them, else at
// least the group, else no group bits; its extended attributes; then its
// permission bits without set-id bits. False with errno set when the bits
// cannot be set.
bool TakeOverAsCopy(int fd, int originalFd, const struct stat& original);

} // namespace glyphwright
