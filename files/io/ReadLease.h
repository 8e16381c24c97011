// A read lease on a file while it is read: proof that no other program has
// it open for writing, such as a logger that keeps appending to it. Such a
// writer would go on writing into the old file after the new one takes its
// name, and every byte it wrote then would be lost.
#pragma once

#include <string>

namespace glyphwright {

class ReadLease {
public:
    // Takes a read lease (F_SETLEASE) on fd, open for reading only. Throws
    // BusyError when another process has the file open for writing. Where
    // the kernel grants no lease (another user's file without CAP_LEASE, a
    // file system without leases), none is held and nothing is detected.
    ReadLease(int fd, const std::string& path);
    ~ReadLease();
    ReadLease(const ReadLease&) = delete;
    ReadLease& operator=(const ReadLease&) = delete;

    // Gives the lease back. A writer that opened the file meanwhile has
    // waited for this; what it writes now is a change like any other, seen
    // by the checks before and after the replacement.
    void Release();

private:
    int fd_ = -1; // -1 when no lease is held
};

} // namespace glyphwright
