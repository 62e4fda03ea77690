// The reason after the colon of a file failure on Windows: the system's own words for the Win32
// error, in the language of Windows (FormatMessageW).
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "common/file_io.h"
#include "common/path_text.h"
#include "tests/driver/system_words.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using testing::SystemWords;
using testing::TempFolder;

TEST(ReasonText, IsTheSystemsOwnMessageForTheWin32Error) {
    ASSERT_FALSE(SystemWords(ERROR_ACCESS_DENIED).empty());
    EXPECT_EQ(ReasonText(std::error_code(ERROR_ACCESS_DENIED, std::system_category())), SystemWords(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReasonText(std::error_code(ERROR_SHARING_VIOLATION, std::system_category())), SystemWords(ERROR_SHARING_VIOLATION));
    // The C library's numbers that stand for a Win32 error speak the system's words too.
    EXPECT_EQ(ReasonText(std::error_code(EACCES, std::generic_category())), SystemWords(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReasonText(std::error_code(ENOSPC, std::generic_category())), SystemWords(ERROR_DISK_FULL));
    EXPECT_NE(ReasonText(std::error_code(EACCES, std::generic_category())), L"Permission denied");
    // One the system has no words for keeps the library's, never an empty reason.
    EXPECT_FALSE(ReasonText(std::error_code(EIO, std::generic_category())).empty());
    EXPECT_FALSE(ReasonText(std::error_code(0x2000FFFF, std::system_category())).empty());
}

TEST(FileFailures, NameTheReasonTheSystemGaveForTheFile) {
    TempFolder folder;
    const std::wstring path = folder / L"Locked.m3u";
    ASSERT_TRUE(WriteFileBytes(path, "#EXTM3U\r\n", L"playlist"));
    // Another program holds the file open and shares it with no one; the C library calls that
    // EACCES ("Permission denied"), the system says why.
    const HANDLE holder = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const Result<std::string> read = ReadFileBytes(path, L"playlist");
    ::CloseHandle(holder);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.failure().message,
              L"The playlist \"" + path + L"\" could not be opened: " + SystemWords(ERROR_SHARING_VIOLATION) + L".");

    const std::wstring missing = JoinPath(folder / L"No Folder", L"List.txt");
    const Status written = WriteFileBytes(missing, "x", L"unmatch list");
    ASSERT_FALSE(written);
    EXPECT_EQ(written.failure().message,
              L"The unmatch list \"" + missing + L"\" could not be created: " + SystemWords(ERROR_PATH_NOT_FOUND) + L".");
}

}  // namespace
}  // namespace lyrics
