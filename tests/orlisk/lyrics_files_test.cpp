// Which path the shell gets for a song: the limits of a file name and of the shell's path.
#include "orlisk/lyrics_files.h"

#include <gtest/gtest.h>

namespace lyrics::orlisk {
namespace {

TEST(LyricsPath, ATitleTooLongForAFileNameHasNoPath) {
    // title + ".txt" may take the 255 characters of a file name, not one more.
    const std::wstring longest(251, L'a');
    EXPECT_EQ(LyricsPath(L"C:\\", longest), L"C:\\" + longest + L".txt");
    EXPECT_EQ(LyricsPath(L"C:\\", longest + L"a"), std::nullopt);
    EXPECT_EQ(LyricsPath(L"C:\\", std::wstring(2000, L'a')), std::nullopt);
}

TEST(LyricsPath, APathLongerThanTheShellTakesHasNone) {
    // A good file name in a deep folder: the whole path may take 259 characters.
    const std::wstring folder = L"C:\\" + std::wstring(100, L'f') + L"\\";
    const std::wstring fits(259 - folder.size() - 4, L't');
    ASSERT_LE(fits.size() + 4, 255u);
    EXPECT_EQ(LyricsPath(folder, fits)->size(), 259u);
    EXPECT_EQ(LyricsPath(folder, fits + L"t"), std::nullopt);
    // A long folder alone is enough.
    EXPECT_EQ(LyricsPath(L"C:\\" + std::wstring(300, L'f') + L"\\", L"Song"), std::nullopt);
}

}  // namespace
}  // namespace lyrics::orlisk
