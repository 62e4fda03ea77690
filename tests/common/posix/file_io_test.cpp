// Whole-file reads and writes on Linux: links never followed, a failed write that removes only what
// it created, only regular files read, names that are no UTF-8 kept as their bytes, and the reason
// after the colon of a failure in the C library's words (strerror).
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>

#include "common/file_io.h"
#include "common/path_text.h"
#include "common/text_codec.h"
#include "tests/test_support.h"

namespace lyrics {
namespace {

using namespace lyrics::testing;

TEST(WriteNewFile, ALinkUnderTheNameIsNeverFollowed) {
    TempFolder folder;
    const std::wstring target = folder.Write(L"precious.txt", "keep me");
    std::filesystem::create_symlink(PathFromText(target), PathFromText(folder / L"list.txt"));
    EXPECT_EQ(ValueOf(WriteNewFile(folder / L"list.txt", "overwritten", L"unmatch list")), NewFile::NameTaken);
    EXPECT_EQ(ReadBytes(target), "keep me");
    // A link that leads nowhere would otherwise create its target.
    std::filesystem::create_symlink(PathFromText(folder / L"made.txt"), PathFromText(folder / L"dangling.txt"));
    EXPECT_EQ(ValueOf(WriteNewFile(folder / L"dangling.txt", "x", L"unmatch list")), NewFile::NameTaken);
    EXPECT_FALSE(std::filesystem::exists(PathFromText(folder / L"made.txt")));
}

// The file size limit stands in for a full disk: the write fails part way, as it would there.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(WriteNewFile, AFailedWriteRemovesOnlyTheFileItCreated) {
    TempFolder folder;
    const std::wstring earlier = folder.Write(L"list.txt", "the earlier run's list");
    const std::string big(64 * 1024, 'x');
    {
        const FileSizeLimit limit(4096);
        EXPECT_EQ(ValueOf(WriteNewFile(folder / L"list.txt", big, L"unmatch list")), NewFile::NameTaken);
        const Result<NewFile> failed = WriteNewFile(folder / L"list (2).txt", big, L"unmatch list");
        ASSERT_FALSE(failed);
        EXPECT_TRUE(Contains(failed.failure().message, L"could not be written"));
    }
    EXPECT_EQ(ReadBytes(earlier), "the earlier run's list");
    EXPECT_FALSE(std::filesystem::exists(PathFromText(folder / L"list (2).txt")));
}

TEST(ReadFileBytes, OnlyARegularFileIsRead) {
    TempFolder folder;
    // A pipe no one writes to would block the open; /dev/zero would be read without end.
    const std::wstring pipe = folder / L"f.m3u";
    ASSERT_EQ(mkfifo(PathFromText(pipe).c_str(), 0600), 0);
    const Result<std::string> fromPipe = ReadFileBytes(pipe, L"playlist");
    ASSERT_FALSE(fromPipe);
    EXPECT_TRUE(Contains(fromPipe.failure().message, L"is not a playlist file")) << EncodeUtf8(fromPipe.failure().message);
    EXPECT_TRUE(Contains(fromPipe.failure().message, pipe));

    std::filesystem::create_symlink("/dev/zero", PathFromText(folder / L"z.m3u"));
    const Result<std::string> fromDevice = ReadFileBytes(folder / L"z.m3u", L"playlist");
    ASSERT_FALSE(fromDevice);
    EXPECT_TRUE(Contains(fromDevice.failure().message, L"is not a playlist file"));

    std::filesystem::create_directory(PathFromText(folder / L"d.m3u"));
    EXPECT_FALSE(ReadFileBytes(folder / L"d.m3u", L"playlist"));

    const std::wstring linked = folder.Write(L"real.m3u", "#EXTM3U\n");
    std::filesystem::create_symlink(PathFromText(linked), PathFromText(folder / L"link.m3u"));
    EXPECT_EQ(ValueOf(ReadFileBytes(folder / L"link.m3u", L"playlist")), "#EXTM3U\n");
}

TEST(PathBytes, ANameThatIsNoUtf8ReachesTheSystemAsItsOwnBytes) {
    const std::string bytes = "dir\xe9 \xc3\xa9\xff";
    const std::wstring text = DecodePathBytes(bytes);
    EXPECT_EQ(EncodePathBytes(text), bytes);
    EXPECT_EQ(PathFromText(text).native(), bytes);
    EXPECT_EQ(TextFromPath(PathFromText(text)), text);
    EXPECT_EQ(DisplayPath(text), L"dir\u00e9 \u00e9\u00ff");  // shown as Windows-1252
    EXPECT_EQ(DisplayPath(DecodePathBytes("\x80")), L"\u20ac");

    TempFolder folder;
    const std::wstring odd = folder / DecodePathBytes("dir\xe9");
    ASSERT_TRUE(WriteNewFile(odd, "x", L"unmatch list"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "dir\xe9"));
    EXPECT_EQ(ValueOf(ReadFileBytes(odd, L"playlist")), "x");
}

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
