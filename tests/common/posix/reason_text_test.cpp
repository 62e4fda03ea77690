// The reason after the colon of a file failure on Linux: the C library's words (strerror).
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "common/file_io.h"
#include "common/path_text.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using testing::TempFolder;

TEST(ReasonText, IsTheCLibrarysOnLinux) {
    EXPECT_EQ(ReasonText(std::error_code(EACCES, std::generic_category())), L"Permission denied");
    EXPECT_EQ(ReasonText(std::error_code(ENOSPC, std::generic_category())), L"No space left on device");
}

TEST(FileFailures, NameTheReasonTheCLibraryGave) {
    TempFolder folder;
    const std::wstring missing = folder / L"Missing.m3u";
    const Result<std::string> read = ReadFileBytes(missing, L"playlist");
    ASSERT_FALSE(read);
    EXPECT_EQ(read.failure().message, L"The playlist \"" + missing + L"\" could not be opened: No such file or directory.");
}

}  // namespace
}  // namespace lyrics
