// File sizes beyond 4 GiB and file times.
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
  const std::string path = folder / "Errors.log";
  {
    TKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.Valid());
    // Sparse, so that the test takes no disk space (Wine accepts the request
    // and the file system leaves the gap unallocated).
    DWORD returned = 0;
    DeviceIoControl(file.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = 5LL << 30;
    ASSERT_TRUE(SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file.Get()));
    EXPECT_EQ(GetFileSize(file.Get()), 5ULL << 30);
    EXPECT_EQ(FunStatContext.Status, fsPerfect);

    // A low half of all ones is a size like any other.
    end.QuadPart = 0x1FFFFFFFFLL;
    ASSERT_TRUE(SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file.Get()));
    EXPECT_EQ(GetFileSize(file.Get()), 0x1FFFFFFFFULL);
    EXPECT_EQ(FunStatContext.Status, fsPerfect);
  }
}

TEST(FileSize, AnUnusableHandleGivesZeroAndAWarning) {
  EXPECT_EQ(GetFileSize(INVALID_HANDLE_VALUE), 0u);
  EXPECT_EQ(FunStatContext.Status, fsWarning);
  EXPECT_EQ(FunStatContext.RaiseFunction, "GetFileSize");
  EXPECT_EQ(FunStatContext.Description, "Failed to get file size.");
  EXPECT_EQ(FunStatContext.SystemErrorCode, 0u);
}

TEST(FileTime, ConvertsToLocalDateTimeOrFailsClearly) {
  // Noon UTC on 6 January 2006 lies on that day in every time zone.
  SYSTEMTIME noon{2006, 1, 5, 6, 12, 0, 0, 0};
  FILETIME fileTime;
  ASSERT_TRUE(SystemTimeToFileTime(&noon, &fileTime));
  const TDateTime value = ConvertFileTime(fileTime);
  EXPECT_EQ(FunStatContext.Status, fsPerfect);
  EXPECT_EQ(static_cast<int>(value), 38723);  // days since 30 December 1899

  const FILETIME invalid{0xFFFFFFFF, 0xFFFFFFFF};
  EXPECT_EQ(ConvertFileTime(invalid), 0.0);
  EXPECT_EQ(FunStatContext.Status, fsError);
  EXPECT_EQ(FunStatContext.Description, "Failed to convert time.");
}
