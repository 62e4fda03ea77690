// Orlisk.exe under Wine where the desktop works against it: lyrics kept open by the user's
// Cancel, a stream of windows under the lyrics' caption that ignore WM_CLOSE, an editor slow to
// show its window, the same song from another playlist entry, and hung windows of Winamp's class.
//
// Usage: orlisk_faults_e2e --orlisk=PATH\Orlisk.exe --winamp=PATH\fake_winamp.exe [gtest options]

#include "tests/e2e/orlisk_fixture.h"

namespace orlisk_e2e {
namespace {

constexpr wchar_t kWinampClass[] = L"Winamp v1.x";

// For the life of the object the shell opens ".txt" files with command (Wine keeps the file
// types of every user under HKEY_CLASSES_ROOT); the earlier program comes back when it goes.
class TxtOpensWith {
public:
    explicit TxtOpensWith(const std::wstring& command)
        : previous_(StringValue(L".txt", nullptr, HKEY_CLASSES_ROOT).value_or(L"")) {
        if (previous_ == kType) previous_ = L"txtfile";  // left by a run that did not end
        SetStringValue(std::wstring(kType) + L"\\shell\\open\\command", nullptr, command, HKEY_CLASSES_ROOT);
        SetStringValue(L".txt", nullptr, kType, HKEY_CLASSES_ROOT);
    }
    TxtOpensWith(const TxtOpensWith&) = delete;
    TxtOpensWith& operator=(const TxtOpensWith&) = delete;
    ~TxtOpensWith() {
        SetStringValue(L".txt", nullptr, previous_, HKEY_CLASSES_ROOT);
        DeleteKeyTree(kType, HKEY_CLASSES_ROOT);
    }

private:
    static constexpr wchar_t kType[] = L"LyricsTest.SlowEditor";
    std::wstring previous_;
};

class OrliskFaults : public OrliskFixture {
protected:
    // Clicks the icon and, half a second later, times "Settings" and "OK" from the menu; prints
    // the time after what. answered: whether Orlisk handled them.
    int AnsweredAfterAClick(bool& answered, const char* what) {
        orlisk_.ClickIcon();
        std::this_thread::sleep_for(500ms);
        const auto start = std::chrono::steady_clock::now();
        answered = orlisk_.Answers();
        const int took = MillisecondsSince(start);
        std::printf("%s: the menu and the settings window answered after %d ms\n", what, took);
        return took;
    }

    // The stand-in Winamp's other modes, working against Orlisk beside the Winamp it follows.
    StartedProcess hostile_;
};

TEST_F(OrliskFaults, LyricsKeptOpenByCancelAreAskedAgainOnTheNextClick) {
    const HWND edited = StartWithFirstSongPlaying(L"1", L"0");
    ASSERT_NE(edited, nullptr);
    ASSERT_TRUE(EditUnsaved(edited));

    orlisk_.ClickIcon();
    ASSERT_TRUE(WaitFor([&] { return !SavePrompts(edited).empty(); }, 10s)) << "\"save changes?\"";
    ASSERT_TRUE(AnswerSavePrompt(edited, IDCANCEL));
    ASSERT_TRUE(WaitFor([&] { return SavePrompts(edited).empty(); }, 5s));
    std::this_thread::sleep_for(2s);  // Orlisk has given up on it
    ASSERT_TRUE(::IsWindow(edited));

    // The user wants the lyrics: the window kept open is asked again, one question.
    orlisk_.ClickIcon();
    EXPECT_TRUE(WaitFor([&] { return SavePrompts(edited).size() == 1; }, 10s)) << "the kept window is asked again";
    std::this_thread::sleep_for(2s);
    EXPECT_EQ(SavePrompts(edited).size(), 1u);
    EXPECT_EQ(NotepadWindows(), std::vector<HWND>{edited}) << "no copy beside the edited one";

    // Not saved: the window goes, and the next click opens the lyrics again.
    ASSERT_TRUE(AnswerSavePrompt(edited, IDNO));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(edited); }, 5s));
    orlisk_.ClickIcon();
    EXPECT_NE(ReadyLyricsOf(kFirstSong), nullptr);
}

// On a song change the edited lyrics ask "save changes?"; that question ends up in front of the
// new song's lyrics, not hidden behind them.
TEST_F(OrliskFaults, ASaveQuestionOnASongChangeComesInFrontOfTheNewLyrics) {
    const HWND edited = StartWithFirstSongPlaying(L"0", L"1");
    ASSERT_NE(edited, nullptr);
    ASSERT_TRUE(EditUnsaved(edited));
    ASSERT_TRUE(PlaySong(WinampCaption(4, kSecondSong)));
    EXPECT_NE(ReadyLyricsOf(kSecondSong), nullptr) << "the new song's lyrics open";
    // The question is taken from the look that found it: between two looks it may be remade.
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::vector<HWND> prompts = SavePrompts(edited);
            prompt = prompts.empty() ? nullptr : prompts.front();
            return prompt != nullptr;
        },
        10s))
        << "\"save changes?\"";
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == prompt; }, 5s)) << "the question is in front";
    ASSERT_TRUE(AnswerSavePrompt(edited, IDNO));
}

TEST_F(OrliskFaults, AStreamOfWindowsThatIgnoreCloseLeavesOrliskAnswering) {
    const HWND lyrics = StartWithFirstSongPlaying(L"1", L"0");
    ASSERT_NE(lyrics, nullptr);
    ASSERT_TRUE(hostile_.Start(Programs().winamp, {L"--stream", L"300", std::wstring(kFirstSong) + L" - Notepad"}));
    ASSERT_TRUE(WaitFor([&] { return TopLevelWindows(L"LyricsTestWinamp", hostile_.Id()).size() >= 3; }, 10s));

    bool answered = false;
    const int took = AnsweredAfterAClick(answered, "the stream going on");
    EXPECT_TRUE(answered);
    EXPECT_LT(took, 5000);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(lyrics); }, 5s)) << "the lyrics themselves were closed";
    orlisk_.ClickIcon();
    EXPECT_TRUE(orlisk_.Answers()) << "and again on the next click";
}

TEST_F(OrliskFaults, AnEditorSlowToShowItsWindowLeavesTheTrayAnswering) {
    StoreSettings(L"0", L"0");
    const TxtOpensWith slowEditor(L"\"" + Programs().winamp + L"\" --editor 4500 \"%1\"");
    ASSERT_TRUE(StartWinamp(WinampCaption(12, kFirstSong)));
    ASSERT_NE(StartOrlisk(), nullptr);

    bool answered = false;
    const int took = AnsweredAfterAClick(answered, "while the editor started");
    EXPECT_TRUE(answered);
    EXPECT_LT(took, 3000) << "Orlisk waited for the editor without answering";
    orlisk_.ClickIcon();  // for the song being opened: dropped
    const std::wstring caption = std::wstring(kFirstSong) + L".txt - Notepad";
    const auto editors = [&] {
        std::vector<HWND> windows = TopLevelWindows(L"LyricsTestWinamp");
        std::erase_if(windows, [&](HWND window) { return WindowText(window) != caption; });
        return windows;
    };
    EXPECT_TRUE(WaitFor([&] { return !editors().empty(); }, 10s));
    std::this_thread::sleep_for(4500ms);
    EXPECT_EQ(editors().size(), 1u) << "one editor for the click, none for the click during the wait";
    for (HWND window : editors()) ::PostMessageW(window, WM_CLOSE, 0, 0);
}

TEST_F(OrliskFaults, TheSameSongFromAnotherPlaylistEntryKeepsItsLyricsOpen) {
    StoreSettings(L"1", L"1");
    // The Winamp that answers Winamp's messages, playing the first entry.
    ASSERT_TRUE(StartWinamp({L"--winamp", kFirstSong, kFirstSong, kSecondSong}));
    const HWND winamp = WinampWindow();
    ASSERT_EQ(ClassName(winamp), kWinampClass);
    ASSERT_NE(StartOrlisk(), nullptr);
    const HWND first = ReadyLyricsOf(kFirstSong);
    ASSERT_NE(first, nullptr);

    ::PostMessageW(winamp, WM_COMMAND, kWinampNext, 0);  // entry 2: the same title
    std::this_thread::sleep_for(5s);                     // two ticks and more
    EXPECT_TRUE(::IsWindow(first)) << "the lyrics were closed for the same song";
    EXPECT_EQ(NotepadWindows(), std::vector<HWND>{first});

    ::PostMessageW(winamp, WM_COMMAND, kWinampNext, 0);  // another song
    EXPECT_NE(ReadyLyricsOf(kSecondSong), nullptr);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(first); }, 5s));
}

TEST_F(OrliskFaults, HungWinampWindowsDoNotHoldUpTheWalk) {
    StoreSettings(L"1", L"0");
    ASSERT_TRUE(StartWinamp(WinampCaption(12, kFirstSong)));
    // Above Winamp in the Z order: windows of its class that never answer.
    ASSERT_TRUE(hostile_.Start(Programs().winamp, {L"--hung", L"30"}));
    ASSERT_TRUE(WaitFor([&] { return TopLevelWindows(kWinampClass, hostile_.Id()).size() == 30; }, 10s));

    const auto start = std::chrono::steady_clock::now();
    ASSERT_NE(StartOrlisk(), nullptr);
    const HWND lyrics = ReadyLyricsOf(kFirstSong);
    const int took = MillisecondsSince(start);
    std::printf("30 hung Winamp windows: the lyrics opened %d ms after Orlisk was started\n", took);
    ASSERT_NE(lyrics, nullptr);
    EXPECT_LT(took, 8000) << "each hung window cost its own wait";

    // The next walk passes them over at once.
    orlisk_.ClickIcon();
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(lyrics); }, 5s));
    EXPECT_NE(ReadyLyricsOf(kFirstSong), nullptr);
}

}  // namespace
}  // namespace orlisk_e2e

int wmain(int argc, wchar_t** argv) { return orlisk_e2e::RunOrliskE2ETests(argc, argv); }
