#include "../folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <cstdint>
#include <string_view>

#include "../lower_case.h"
#include "../path_text.h"
#include "../text_codec.h"

namespace lyrics {

namespace {

struct FolderCloser {
    void operator()(DIR* folder) const noexcept { closedir(folder); }
};
using FolderHandle = std::unique_ptr<DIR, FolderCloser>;

Failure ListingFailure(const std::wstring& folder, int error) {
    const std::error_code code(error != 0 ? error : EIO, std::generic_category());
    return Failure{L"The lyrics folder \"" + folder + L"\" could not be listed: " + ReasonText(code) + L"."};
}

// A link counts as what it points to; a link that leads nowhere counts as a file.
bool IsSubfolder(DIR* folder, const dirent& entry) {
    if (entry.d_type == DT_DIR) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat status {};
    return fstatat(dirfd(folder), entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

// Texts end to end in one buffer: a big folder costs no allocation per name until the names are
// handed out, in their final order.
template <typename Char>
class TextRun {
public:
    void Reserve(std::size_t characters, std::size_t texts) {
        text_.reserve(characters);
        start_.reserve(texts + 1);
    }
    void Add(std::basic_string_view<Char> text) {
        start_.push_back(text_.size());
        text_ += text;
    }
    std::size_t Size() const noexcept { return start_.size(); }
    std::size_t Characters() const noexcept { return text_.size(); }
    std::basic_string_view<Char> operator[](std::size_t i) const noexcept {
        const std::size_t end = i + 1 < start_.size() ? start_[i + 1] : text_.size();
        return std::basic_string_view<Char>(text_).substr(start_[i], end - start_[i]);
    }

private:
    std::basic_string<Char> text_;
    std::vector<std::size_t> start_;
};

// Listing order is by upper-case form, then by the name itself. Names are sorted as a radix sort
// over four characters at a time: a run of names that agree on their first characters (a folder of
// "Artist - Title" names has long ones) is ordered by the next four, which reads each key a few
// times rather than once per comparison. A digit holds four characters of 16 bits; it is exact when
// none is the end of the key, 0 or beyond 0xFFFE, and once a character is not exact the rest of the
// digit is 0. Equal digits that are not exact are resolved by whole comparisons.
class ListingSort {
public:
    // names are the file names as the system gives them, upper their decoded upper-case forms.
    ListingSort(const TextRun<wchar_t>& upper, const TextRun<char>& names) : upper_(upper), names_(names) {}

    std::vector<std::size_t> Order() {
        std::vector<Entry> entries(upper_.Size());
        for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = Entry{0, upper_[i], i};
        SortFrom(entries.begin(), entries.end(), 0);
        std::vector<std::size_t> order;
        order.reserve(entries.size());
        for (const Entry& entry : entries) order.push_back(entry.index);
        return order;
    }

private:
    // The key is kept beside its digit, so that a pass over a run reads keys without a look-up.
    struct Entry {
        std::uint64_t digit = 0;
        std::wstring_view key;
        std::size_t index = 0;
    };
    using Iterator = std::vector<Entry>::iterator;
    static constexpr std::uint64_t kLane = 0xFFFF;

    static std::uint64_t DigitAt(std::wstring_view key, std::size_t depth) {
        std::uint64_t digit = 0;
        bool exact = true;
        for (std::size_t j = depth; j < depth + 4; ++j) {
            std::uint64_t lane = 0;
            if (exact && j < key.size()) {
                const wchar_t c = key[j];
                lane = c <= 0 ? 0 : static_cast<std::uint64_t>(c) >= kLane ? kLane : static_cast<std::uint64_t>(c);
            }
            if (lane == 0 || lane == kLane) exact = false;
            digit = (digit << 16) | lane;
        }
        return digit;
    }

    static bool IsExact(std::uint64_t digit) {
        for (int lane = 0; lane < 4; ++lane) {
            const std::uint64_t value = (digit >> (16 * lane)) & kLane;
            if (value == 0 || value == kLane) return false;
        }
        return true;
    }

    bool WholeLess(const Entry& a, const Entry& b) const {
        if (const int byUpper = a.key.compare(b.key); byUpper != 0) return byUpper < 0;
        return DecodeUtf8Lenient(names_[a.index]) < DecodeUtf8Lenient(names_[b.index]);  // rare: same upper-case form
    }

    void SortFrom(Iterator first, Iterator last, std::size_t depth) {
        if (last - first < 2) return;
        for (Iterator it = first; it != last; ++it) it->digit = DigitAt(it->key, depth);
        std::sort(first, last, [](const Entry& a, const Entry& b) { return a.digit < b.digit; });
        while (first != last) {
            Iterator runEnd = first + 1;
            while (runEnd != last && runEnd->digit == first->digit) ++runEnd;
            if (runEnd - first > 1) {
                if (IsExact(first->digit)) {
                    SortFrom(first, runEnd, depth + 4);
                } else {
                    std::sort(first, runEnd, [this](const Entry& a, const Entry& b) { return WholeLess(a, b); });
                }
            }
            first = runEnd;
        }
    }

    const TextRun<wchar_t>& upper_;
    const TextRun<char>& names_;
};

} // namespace

Result<std::vector<std::wstring>> ListFolderFiles(const std::wstring& folder) {
    const FolderHandle handle(opendir(PathFromText(folder).c_str()));
    if (!handle) return ListingFailure(folder, errno);
    TextRun<char> names;  // as the system gives them: decoded once to sort, once when handed out
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(handle.get());
        if (entry == nullptr) {
            if (errno != 0) return ListingFailure(folder, errno);
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || IsSubfolder(handle.get(), *entry)) continue;
        names.Add(name);
    }

    TextRun<wchar_t> upper;
    upper.Reserve(names.Characters(), names.Size());  // a byte gives one character at most
    for (std::size_t i = 0; i < names.Size(); ++i) upper.Add(UpperCase(DecodeUtf8Lenient(names[i])));
    std::vector<std::wstring> listed;
    listed.reserve(names.Size());
    for (const std::size_t i : ListingSort(upper, names).Order()) listed.push_back(DecodeUtf8Lenient(names[i]));
    return listed;
}

bool FolderExists(const std::wstring& path) {
    if (path.empty()) return false;
    std::error_code error;
    return std::filesystem::is_directory(PathFromText(path), error);
}

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    std::error_code error;
    const auto status = std::filesystem::status(PathFromText(path), error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

} // namespace lyrics
