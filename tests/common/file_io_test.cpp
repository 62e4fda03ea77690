#include "common/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/path_text.h"
#include "common/text_codec.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using namespace lyrics::testing;

TEST(WriteNewFile, WritesOnlyWhereNothingIsAndNeverTouchesWhatIs) {
    TempFolder folder;
    const std::wstring path = folder / L"list.txt";
    EXPECT_EQ(ValueOf(WriteNewFile(path, "first\r\n", L"unmatch list")), NewFile::Written);
    EXPECT_EQ(ValueOf(WriteNewFile(path, "second, longer\r\n", L"unmatch list")), NewFile::NameTaken);
    EXPECT_EQ(ReadBytes(path), "first\r\n");

    std::filesystem::create_directory(PathFromText(folder / L"a folder.txt"));
    const Result<NewFile> overFolder = WriteNewFile(folder / L"a folder.txt", "x", L"unmatch list");
    ASSERT_FALSE(overFolder);  // no list of anyone's to keep there, and no file can be made there
    EXPECT_TRUE(Contains(overFolder.failure().message, L"a folder.txt\" could not be created"));

    const Result<NewFile> nowhere =
        WriteNewFile(folder / L"no such folder" + std::wstring(PathSeparator()) + L"x.txt", "x", L"unmatch list");
    ASSERT_FALSE(nowhere);
    EXPECT_TRUE(Contains(nowhere.failure().message, L"The unmatch list \""));
}

}  // namespace
}  // namespace lyrics
