// Helpers shared by the unit tests: a scratch folder that removes itself, file bytes, and tables of
// expected results.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/path_text.h"
#include "common/result.h"

namespace lyrics::testing {

class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ =
            std::filesystem::temp_directory_path() / ("lyrics-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    std::wstring text() const { return TextFromPath(path_); }
    // Path of an entry inside the folder, as program text.
    std::wstring operator/(std::wstring_view name) const { return JoinPath(text(), name); }

    // Writes bytes to a file inside the folder and returns its path as text.
    std::wstring Write(std::wstring_view name, std::string_view bytes) const {
        const std::wstring path = *this / name;
        std::ofstream(PathFromText(path), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(PathFromText(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The value of a result, nothing when it is a failure: one check for both.
template <typename T>
std::optional<T> ValueOf(const Result<T>& result) {
    return result ? std::optional<T>(*result) : std::nullopt;
}

// The items in ascending order, for lists whose order is no part of what is checked.
template <typename Items>
Items Sorted(Items items) {
    std::sort(items.begin(), items.end());
    return items;
}

// Text as UTF-16 LE bytes, without a byte-order mark.
inline std::string Utf16Le(std::wstring_view text) {
    std::string bytes;
    for (const wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF)};
    return bytes;
}

// A row of a table of expected results: the argument, then what the function gives for it.
template <typename Argument, typename Expected>
using Row = std::pair<Argument, Expected>;

// Checks function(argument) == expected for every row, naming the argument of a row that fails.
template <typename Function, typename Rows>
void ExpectEveryRow(Function function, const Rows& rows) {
    for (const auto& [argument, expected] : rows) {
        EXPECT_EQ(function(argument), expected) << "for " << ::testing::PrintToString(argument);
    }
}

// Whether text holds part: for messages checked by what they say, not by every word.
inline bool Contains(const std::wstring& text, std::wstring_view part) { return text.find(part) != std::wstring::npos; }

}  // namespace lyrics::testing
