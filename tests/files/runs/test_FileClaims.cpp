#include "files/runs/FileClaims.h"

#include <gtest/gtest.h>

namespace glyphwright {
namespace {

const FileId kX{1, 100};
const FileId kY{1, 200};
const FileId kZ{1, 300};

// Each file once; a failed one is given back; a replaced one stands as its
// replacement, and its own number is let go when its last name went.
TEST(FileClaims, ClaimReleaseReplace) {
    FileClaims files;
    const auto x = files.Claim(kX);
    ASSERT_TRUE(x);
    EXPECT_FALSE(files.Claim(kX));
    files.Release(kX, *x);
    const auto again = files.Claim(kX);
    ASSERT_TRUE(again);
    files.Replaced(kX, *again, kY, true);
    EXPECT_FALSE(files.Claim(kY));
    EXPECT_TRUE(files.Claim(kX)) << "a later file may get the number";
}

// Two workers: A's rename frees X's number, B's new file gets it, and B says
// so before A says that X is gone. B's file must stay known as converted.
TEST(FileClaims, ANumberTakenAgainBeforeItsOldFileIsToldGone) {
    FileClaims files;
    const auto a = files.Claim(kX);
    const auto b = files.Claim(kZ);
    ASSERT_TRUE(a && b);
    files.Replaced(kZ, *b, kX, true);
    files.Replaced(kX, *a, kY, true);
    EXPECT_FALSE(files.Claim(kX)) << "B's converted file";
    EXPECT_FALSE(files.Claim(kY)) << "A's converted file";
    EXPECT_TRUE(files.Claim(kZ));
}

} // namespace
} // namespace glyphwright
