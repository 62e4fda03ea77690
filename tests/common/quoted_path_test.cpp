#include "common/quoted_path.h"

#include <gtest/gtest.h>

#include <string>

namespace lyrics {
namespace {

TEST(UnquotedPath, TakesTheInsideOfOneQuotedPathOnly) {
    struct Case {
        std::wstring_view text, path;
    };
    const Case cases[] = {
        {L"\"C:\\Lyrics\"", L"C:\\Lyrics"},
        {L"\"C:\\My Lyrics\\\"", L"C:\\My Lyrics\\"},
        {L"\"\"", L""},
        {L"C:\\Lyrics", L"C:\\Lyrics"},
        {L"\"", L"\""},
        {L"\"C:\\a\" \"C:\\b\"", L"\"C:\\a\" \"C:\\b\""},
        {L" \"C:\\Lyrics\"", L" \"C:\\Lyrics\""},
        {L"\"C:\\Lyrics\" ", L"\"C:\\Lyrics\" "},
        {L"\"C:\\Lyrics", L"\"C:\\Lyrics"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.text));
        EXPECT_EQ(UnquotedPath(c.text), c.path);
    }
}

}  // namespace
}  // namespace lyrics
