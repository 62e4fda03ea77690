#include "common/win32/program_folder.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace lyrics::match::win32 {
namespace {

TEST(FolderOfPath, DropsTheFileName) {
    EXPECT_EQ(FolderOfPath(L"C:\\Program Files\\Lyrics\\Match.exe"), L"C:\\Program Files\\Lyrics");
    EXPECT_EQ(FolderOfPath(L"\\\\server\\share\\tools\\Match.exe"), L"\\\\server\\share\\tools");
}

TEST(FolderOfPath, ADrivesRootKeepsItsBackslash) {
    // The list's path is the folder, a backslash only if missing, and the name: no "C:\\UnMatch".
    EXPECT_EQ(FolderOfPath(L"C:\\Match.exe"), L"C:\\");
    EXPECT_EQ(FolderOfPath(L"Z:\\Match.exe"), L"Z:\\");
}

TEST(FolderOfPath, APathWithoutFolderHasNone) { EXPECT_EQ(FolderOfPath(L"Match.exe"), L""); }

TEST(ProgramPath, NamesThisProgramWhole) {
    const std::wstring path = ProgramPath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(lyrics::testing::Contains(path, L"common_tests"));
    EXPECT_EQ(ProgramFolder(), FolderOfPath(path));
    EXPECT_EQ(path.find(L'\0'), std::wstring::npos);
}

}  // namespace
}  // namespace lyrics::match::win32
