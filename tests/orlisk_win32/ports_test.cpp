// Orlisk's ports to the system under Wine: the registry store, the file-system search, the
// program's folder and the single-instance test.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "orlisk/win32/file_search_win32.h"
#include "orlisk/win32/program_host_win32.h"
#include "orlisk/win32/settings_store_win32.h"
#include "orlisk/win32/single_instance.h"
#include "tests/driver/file_bytes.h"
#include "tests/driver/orlisk_registry.h"
#include "tests/driver/registry.h"

namespace lyrics::orlisk::win32 {
namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { lyrics::testing::DeleteKeyTree(lyrics::testing::OrliskKey()); }
    void TearDown() override { SetUp(); }
    static void StoreRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        ASSERT_TRUE(lyrics::testing::detail::SetValue(lyrics::testing::OrliskSettingsKey(), name, type, data, bytes));
    }
    RegistrySettingsStore store;
};

TEST_F(RegistryStoreTest, ReadsBackWhatItWroteAndDefaultsTheRest) {
    EXPECT_EQ(store.Read(L"Path", L""), L"") << "no key at all";
    EXPECT_EQ(store.Read(L"Start", L"1"), L"1");
    ASSERT_TRUE(store.Write(L"Path", L"C:\\Lyrics \u00e9\u4e2d\\"));
    ASSERT_TRUE(store.Write(L"Size", L"2"));
    EXPECT_EQ(store.Read(L"Path", L""), L"C:\\Lyrics \u00e9\u4e2d\\");
    EXPECT_EQ(store.Read(L"Size", L"0"), L"2");
    EXPECT_EQ(store.Read(L"Auto", L"0"), L"0");
    ASSERT_TRUE(store.Write(L"Path", L""));
    EXPECT_EQ(store.Read(L"Path", L"fallback"), L"") << "an empty value is a value";
}

TEST_F(RegistryStoreTest, ValuesThatAreNoTextReadAsTheDefault) {
    const DWORD number = 1;
    StoreRaw(L"Start", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(store.Read(L"Start", L"1"), L"1");
    // Written by another program without the terminating NUL.
    const wchar_t text[] = {L'2'};
    StoreRaw(L"Size", REG_SZ, text, sizeof text);
    EXPECT_EQ(store.Read(L"Size", L"0"), L"2");
    const std::vector<wchar_t> huge(200 * 1024, L'x');
    StoreRaw(L"Path", REG_SZ, huge.data(), static_cast<DWORD>(huge.size() * sizeof(wchar_t)));
    EXPECT_EQ(store.Read(L"Path", L""), L"") << "an absurdly long value is not taken";
}

TEST(FileSystemSearch, FindsFilesAndFoldersByPattern) {
    const lyrics::testing::ScratchFolder folder(L"orlisk-search");
    folder.AddFolder(L"empty");
    ASSERT_TRUE(folder.AddFile(L"Artist - Song.txt", "la"));
    const std::wstring base = folder.Path();

    FileSystemSearch search;
    EXPECT_TRUE(search.FindsEntry(base));
    EXPECT_TRUE(search.FindsEntry(base + L"\\*"));
    EXPECT_TRUE(search.FindsEntry(base + L"\\Artist - Song.txt")) << "a file passes as well";
    EXPECT_TRUE(search.FindsEntry(base + L"\\*.txt"));
    EXPECT_TRUE(search.FindsEntry(base + L"\\empty\\*")) << "\".\" and \"..\" are entries";
    EXPECT_FALSE(search.FindsEntry(base + L"\\missing"));
    EXPECT_FALSE(search.FindsEntry(base + L"\\missing\\*"));
    EXPECT_FALSE(search.FindsEntry(L""));
}

TEST(ProgramHost, NamesTheProgramsFolderWithoutItsBackslash) {
    const SingleInstance instance;
    Win32ProgramHost host(instance);
    const std::wstring folder = host.ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / L"orlisk_win32_tests.exe"));
}

TEST(SingleInstance, TheFirstHoldsTheNameForItsLife) {
    std::optional<SingleInstance> first;
    first.emplace();
    EXPECT_FALSE(first->AnotherIsRunning());
    {
        const SingleInstance second;
        EXPECT_TRUE(second.AnotherIsRunning());
    }
    first.reset();
    const SingleInstance later;
    EXPECT_FALSE(later.AnotherIsRunning()) << "the name is free again once the first has gone";
}
}  // namespace
}  // namespace lyrics::orlisk::win32
