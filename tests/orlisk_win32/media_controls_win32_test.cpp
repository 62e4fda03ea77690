// The media controls' adapter under Wine, reading the stand-in media controls that the test
// registers: the snapshot follows both events, blank fields are read again, every registration
// goes at the end, and without the class nothing happens at all.
#include "orlisk/win32/media_session_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "orlisk/win32/media_controls_abi.h"
#include "tests/driver/driver_support.h"
#include "tests/stand_ins/media_controls_control.h"

namespace lyrics::orlisk::win32 {
namespace {

using namespace std::chrono_literals;
using lyrics::testing::MediaPlays;
using lyrics::testing::MediaValue;
using lyrics::testing::SetMediaValue;
using lyrics::testing::WaitFor;

// The slot of a virtual function as the Itanium C++ ABI (MinGW's) encodes its pointer: the
// vtable offset plus one. The stand-in shares the declarations, so only this catches a
// placeholder too many or too few.
template <typename Method>
std::ptrdiff_t SlotOf(Method method) {
    std::ptrdiff_t encoded = 0;
    static_assert(sizeof(method) >= sizeof(encoded));
    std::memcpy(&encoded, &method, sizeof(encoded));
    return (encoded - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(MediaControlsAbi, TheSlotsAreThoseOfTheSdksMetadata) {
    using namespace media_abi;
    EXPECT_EQ(SlotOf(&IManagerStatics::RequestAsync), 6);
    EXPECT_EQ(SlotOf(&IManager::GetCurrentSession), 6);
    EXPECT_EQ(SlotOf(&IManager::add_CurrentSessionChanged), 8);
    EXPECT_EQ(SlotOf(&IManager::remove_CurrentSessionChanged), 9);
    EXPECT_EQ(SlotOf(&ISession::get_SourceAppUserModelId), 6);
    EXPECT_EQ(SlotOf(&ISession::TryGetMediaPropertiesAsync), 7);
    EXPECT_EQ(SlotOf(&ISession::add_MediaPropertiesChanged), 29);
    EXPECT_EQ(SlotOf(&ISession::remove_MediaPropertiesChanged), 30);
    EXPECT_EQ(SlotOf(&IMediaProperties::get_Title), 6);
    EXPECT_EQ(SlotOf(&IMediaProperties::get_Artist), 9);
    EXPECT_EQ(SlotOf(&IAsyncOperation<IManager>::put_Completed), 6);
    EXPECT_EQ(SlotOf(&IAsyncOperation<IManager>::GetResults), 8);
}

class MediaControlsWin32 : public ::testing::Test {
protected:
    static std::wstring StandIn() {
        const std::string path = LYRICS_MEDIA_STAND_IN;  // the build's path: ASCII
        return lyrics::testing::WindowsPath(std::wstring(path.begin(), path.end()));
    }
    static bool Shows(MediaControls& media, const std::wstring& artist, const std::wstring& title) {
        return WaitFor(
            [&] {
                const std::optional<PlayerSong> song = media.CurrentSong();
                return song && song->artist == artist && song->title == title;
            },
            5s);
    }
};

TEST_F(MediaControlsWin32, TheSnapshotFollowsTheCurrentSessionAndItsProperties) {
    const lyrics::testing::RegisteredMediaStandIn registered(StandIn());
    MediaPlays(L"Spotify.exe", L"Μίκης Θεοδωράκης", L"花束を君に");
    {
        MediaControls media;
        EXPECT_EQ(media.CurrentSong(), std::nullopt) << "nothing before Follow";
        media.Follow();
        ASSERT_TRUE(Shows(media, L"Μίκης Θεοδωράκης", L"花束を君に"));
        EXPECT_EQ(media.CurrentSong()->player, L"Spotify.exe");

        MediaPlays(L"Spotify.exe", L"Artist", L"Other");  // MediaPropertiesChanged
        EXPECT_TRUE(Shows(media, L"Artist", L"Other"));
        SetMediaValue(L"BlankReads", L"2");
        MediaPlays(L"foobar2000.exe", L"", L"Title");  // CurrentSessionChanged, blank fields at first
        EXPECT_TRUE(Shows(media, L"", L"Title"));
        EXPECT_EQ(media.CurrentSong()->player, L"foobar2000.exe");
        MediaPlays(L"", L"", L"");
        EXPECT_TRUE(WaitFor([&] { return !media.CurrentSong(); }, 5s)) << "no session";
        MediaPlays(L"Chrome", L"A", L"B");
        EXPECT_TRUE(Shows(media, L"A", L"B"));
        EXPECT_EQ(MediaValue(L"Registrations"), L"2");

        SetMediaValue(L"Delay", L"60000");  // the next reading never comes while the test runs
        MediaPlays(L"Chrome", L"A", L"C");
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(media.CurrentSong()->title, L"B") << "the last reading, at once";
        EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
        // Leaving the scope ends the thread with a reading outstanding.
    }
    EXPECT_EQ(MediaValue(L"Registrations"), L"0");
}

TEST_F(MediaControlsWin32, WithoutTheClassNothingHappensAndTheEndIsImmediate) {
    const auto start = std::chrono::steady_clock::now();
    {
        MediaControls media;
        media.Follow();
        ::Sleep(200);
        EXPECT_EQ(media.CurrentSong(), std::nullopt);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

}  // namespace
}  // namespace lyrics::orlisk::win32
