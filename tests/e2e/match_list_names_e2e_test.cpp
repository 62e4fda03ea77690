// Match.exe's unmatch lists when their names are taken: by something that is not a list, or by an
// earlier list of the same second, which is never replaced.
#include "tests/e2e/match_fixture.h"

#include <algorithm>

namespace match_e2e {
namespace {

// Something in the way of the lists the next runs would write, one for each second of the span, for
// as long as this lives: folders, or earlier lists (files of the given bytes).
class ListNamesTaken {
public:
    ListNamesTaken(const std::wstring& folder, std::chrono::seconds span, const std::string* earlierList = nullptr) {
        SYSTEMTIME now{}, until{};
        ::GetLocalTime(&now);
        FILETIME moment{};
        ::SystemTimeToFileTime(&now, &moment);
        ULARGE_INTEGER later{{moment.dwLowDateTime, moment.dwHighDateTime}};
        later.QuadPart += static_cast<ULONGLONG>(span.count()) * 10'000'000;
        const FILETIME end{later.LowPart, later.HighPart};
        ::FileTimeToSystemTime(&end, &until);
        for (const std::wstring& name : ListNamesBetween(now, until)) {
            const std::wstring path = folder + L"\\" + name;
            if (earlierList ? WriteFileBytes(path, *earlierList) : ::CreateDirectoryW(path.c_str(), nullptr) != FALSE)
                paths_.push_back(path);
        }
        isFiles_ = earlierList != nullptr;
    }
    ListNamesTaken(const ListNamesTaken&) = delete;
    ListNamesTaken& operator=(const ListNamesTaken&) = delete;
    ~ListNamesTaken() {
        for (const std::wstring& path : paths_) isFiles_ ? ::DeleteFileW(path.c_str()) : ::RemoveDirectoryW(path.c_str());
    }
    bool Any() const noexcept { return !paths_.empty(); }
    const std::vector<std::wstring>& Paths() const noexcept { return paths_; }

private:
    std::vector<std::wstring> paths_;
    bool isFiles_ = false;
};

TEST_F(MatchProgram, ListThatCannotBeWrittenIsReportedWithItsPath) {
    const ListNamesTaken taken(Work().folder, 30s);
    ASSERT_TRUE(taken.Any());
    TypePaths(Work().lyricsFolder, Playlist(L"Mix.m3u"));
    const std::wstring message = FailedRunsMessage();
    EXPECT_NE(message.find(L"\"" + Work().folder + L"\\UnMatch "), std::wstring::npos) << ::testing::PrintToString(message);
}

// The path a Yes/No offer names: "A list has been created in "<path>"...".
std::wstring OfferedPath(const std::wstring& offer) {
    const std::size_t open = offer.find(L'"');
    const std::size_t close = open == std::wstring::npos ? open : offer.find(L'"', open + 1);
    return close == std::wstring::npos ? std::wstring() : offer.substr(open + 1, close - open - 1);
}

// An earlier list in the same second is never replaced: the run writes "UnMatch ... (2).txt" and
// its offer names that file. A second run right after writes a file of its own again.
TEST_F(MatchProgram, AListInTheSameSecondAsAnEarlierOneTakesTheNextNumberAndKeepsTheEarlier) {
    const std::string earlierBytes = "An earlier list the user was told about.\r\n";
    const ListNamesTaken earlier(Work().folder, 30s, &earlierBytes);
    ASSERT_TRUE(earlier.Any());
    TypePaths(Work().lyricsFolder, Playlist(L"Mix.m3u"));

    std::vector<std::wstring> offered;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first run" : "second run, right after");
        Click(Control(kIdCmdMatch));
        const HWND box = WaitForBox();
        ASSERT_NE(box, nullptr);
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.caption, L"Unmatch List");
        offered.push_back(OfferedPath(view.text));
        ASSERT_TRUE(AnswerMessageBox(box, IDNO));
        const std::wstring& path = offered.back();
        ASSERT_FALSE(path.empty()) << ::testing::PrintToString(view.text);
        const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
        const std::size_t number = name.rfind(L" (");
        ASSERT_NE(number, std::wstring::npos) << "a numbered name: " << ::testing::PrintToString(name);
        EXPECT_TRUE(name.substr(number) == L" (2).txt" || name.substr(number) == L" (3).txt") << ::testing::PrintToString(name);
        const std::wstring earlierPath = InWork(name.substr(0, number) + L".txt");
        EXPECT_NE(std::find(earlier.Paths().begin(), earlier.Paths().end(), earlierPath), earlier.Paths().end())
            << "the name of an earlier list, numbered: " << ::testing::PrintToString(name);
        std::string written;
        ASSERT_TRUE(ReadFileBytes(path, written)) << "the offered file is there";
        EXPECT_EQ(written.rfind("Playlist titles which DO NOT have matching file name...\r\n", 0), 0u);
    }
    EXPECT_NE(offered[0], offered[1]) << "each run has a file of its own";
    std::string first;
    ASSERT_TRUE(ReadFileBytes(offered[0], first));
    EXPECT_EQ(first.rfind("Playlist titles", 0), 0u) << "the first run's list is kept";
    for (const std::wstring& path : earlier.Paths()) {
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(path, bytes));
        EXPECT_EQ(bytes, earlierBytes) << "an earlier list is left as it was: " << ::testing::PrintToString(path);
    }
    for (const std::wstring& path : offered) ::DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace match_e2e
