// What the Windows side must refuse or resolve the same way everywhere: device names given as
// playlists, a folder typed with a trailing blank, a playlist too big for memory.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "common/folder_listing.h"
#include "common/win32/unique_handle.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using lyrics::testing::TempFolder;

using lyrics::testing::Contains;

TEST(Win32Reliability, DeviceNamesAreRefusedNeverRead) {
    TempFolder folder;
    // "COM1.m3u" in any folder is the device COM1 to the system; a read from it may never return.
    for (const std::wstring name : {L"COM1.m3u", L"AUX.m3u", L"NUL.pls", L"con.b4s", L"LPT1.m3u"}) {
        const Result<std::string> read = ReadFileBytes(folder / name, L"playlist");
        ASSERT_FALSE(read) << "read from a device";
        EXPECT_TRUE(Contains(read.failure().message, L"is not a playlist file"));
    }
    const Result<std::string> console = ReadFileBytes(L"CONIN$", L"playlist");
    EXPECT_FALSE(console);
}

TEST(Win32Reliability, AFolderWithATrailingBlankIsListedAsTheCheckSeesIt) {
    TempFolder folder;
    folder.Write(L"Song.txt", "la");
    const std::wstring typed = folder.text() + L" ";
    ASSERT_TRUE(FolderExists(typed));  // the system drops the blank
    const Result<std::vector<std::wstring>> listed = ListFolderFiles(typed);
    ASSERT_TRUE(listed) << std::string(listed.failure().message.begin(), listed.failure().message.end());
    ASSERT_EQ(listed->size(), 1u);
    EXPECT_EQ(listed->front(), L"Song.txt");
    const Result<std::vector<std::wstring>> dotted = ListFolderFiles(folder.text() + L". ");
    ASSERT_TRUE(dotted);
    EXPECT_EQ(dotted->size(), 1u);
}

TEST(Win32Reliability, APlaylistTooBigForMemoryIsAMessage) {
    TempFolder folder;
    const std::wstring path = folder / L"s.m3u";
    {
        const UniqueFileHandle file(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD ignored = 0;
        DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
        LARGE_INTEGER size{};
        size.QuadPart = sizeof(void*) == 8 ? (50LL << 30) : (3LL << 30);  // 50 GB, or 3 GB beside 2 GB of address space
        if (!SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get()))
            GTEST_SKIP() << "no sparse file of that size here";
    }
    const Result<std::string> read = ReadFileBytes(path, L"playlist");
    ASSERT_FALSE(read);
    EXPECT_TRUE(Contains(read.failure().message, L"s.m3u\" is too big to be read"));
}

}  // namespace
}  // namespace lyrics
