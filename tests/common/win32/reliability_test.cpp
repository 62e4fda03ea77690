// What the Windows side must refuse or resolve the same way everywhere: device names given as
// playlists, a folder typed with a trailing blank, a playlist too big for memory; and the reason
// after the colon of a file failure, the system's own words for the Win32 error in the language of
// Windows (FormatMessageW).
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "common/file_io.h"
#include "common/folder_listing.h"
#include "common/path_text.h"
#include "common/win32/unique_handle.h"
#include "tests/driver/system_words.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using namespace lyrics::testing;

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
