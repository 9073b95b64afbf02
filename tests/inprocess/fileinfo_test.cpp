// File sizes beyond 4 GiB.
#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include "core/funstat.h"
#include "platform/fileinfo.h"
#include "platform/handles.h"
#include "testsupport.h"

using namespace test;

TEST(FileSize, ASparseFileOfFiveGibibytesReportsItsTrueSize) {
  TTempFolder folder;
  TKernelHandle file(CreateFileA((folder / "Errors.log").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                 nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file.Valid());
  // Sparse, so that it takes no disk space (Wine accepts the request; the
  // file system leaves the gap unallocated).
  DWORD returned = 0;
  DeviceIoControl(file.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  for (const uint64_t size : {5ULL << 30, 0x1FFFFFFFFULL}) {  // a low half of all ones too
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    ASSERT_TRUE(SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file.Get()));
    EXPECT_EQ(GetFileSize(file.Get()), size);
    EXPECT_EQ(FunStatContext.Status, fsPerfect);
  }
  EXPECT_EQ(GetFileSize(INVALID_HANDLE_VALUE), 0u);
  EXPECT_EQ(FunStatContext.Status, fsWarning);
  EXPECT_EQ(FunStatContext.Description, "Failed to get file size.");
}
