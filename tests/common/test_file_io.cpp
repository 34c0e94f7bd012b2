// The error numbers of failed file operations: the files written whole and the coefficient file
// differ only on a refused access and on failures neither knows.
#include <gtest/gtest.h>

#include <cerrno>

#include "common/file_io.h"

namespace kal {
namespace {

TEST(NumerBleduPliku, EachFileKeepsItsNumbers) {
  struct Case {
    int e;
    int zapisywany, baza;
  };
  const Case kCases[] = {
      {ENOSPC, 61, 61}, {EFBIG, 61, 61},  {EDQUOT, 61, 61}, {ENOENT, 76, 76},       {ENOTDIR, 76, 76},
      {EISDIR, 75, 75}, {EEXIST, 75, 75}, {ELOOP, 75, 75},  {ENAMETOOLONG, 75, 75}, {EIO, 57, 57},
      {EACCES, 70, 75}, {EPERM, 70, 75},  {EROFS, 70, 75},  {EBADF, 57, 75},        {0, 57, 75},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.zapisywany, NumerBleduPliku(c.e)) << "errno " << c.e;
    EXPECT_EQ(c.baza, NumerBleduPliku(c.e, RodzajPliku::Baza)) << "errno " << c.e;
  }
}

}  // namespace
}  // namespace kal
