#include "../folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <memory>
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

// Listing order is by upper-case form, then by the name itself. The upper-case forms are kept as
// UTF-8, whose byte order is the order of the characters, at a quarter of the memory (decoded names
// hold no surrogates, so the encoding is one to one). They are
// sorted as a radix sort over eight bytes at a time: a run of names that agree on their first bytes
// (a folder of "Artist - Title" names has long ones) is ordered by the next eight, which reads each
// key a few times rather than once per comparison. A run in which some key ends within the eight
// bytes is finished by whole comparisons.
class ListingSort {
public:
    // names are the file names as the system gives them, upper their upper-case forms in UTF-8.
    ListingSort(const TextRun<char>& upper, const TextRun<char>& names) : upper_(upper), names_(names) {}

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
        std::string_view key;
        std::size_t index = 0;
    };
    using Iterator = std::vector<Entry>::iterator;
    static constexpr std::size_t kDigitBytes = 8;

    // Eight bytes from depth on, the first the highest; past the key's end, 0.
    static std::uint64_t DigitAt(std::string_view key, std::size_t depth) {
        std::uint64_t digit = 0;
        for (std::size_t j = depth; j < depth + kDigitBytes; ++j) {
            digit = (digit << 8) | (j < key.size() ? static_cast<unsigned char>(key[j]) : 0u);
        }
        return digit;
    }

    bool WholeLess(const Entry& a, const Entry& b) const {
        if (const int byUpper = a.key.compare(b.key); byUpper != 0) return byUpper < 0;
        return DecodeUtf8Lenient(names_[a.index]) < DecodeUtf8Lenient(names_[b.index]);  // rare: same upper-case form
    }

    void SortFrom(Iterator first, Iterator last, std::size_t depth) {
        if (last - first < 2) return;
        constexpr std::ptrdiff_t kAhead = 8;  // keys lie all over the buffer: fetch them ahead
        for (Iterator it = first; it != last; ++it) {
            if (last - it > kAhead) __builtin_prefetch((it + kAhead)->key.data() + depth);
            it->digit = DigitAt(it->key, depth);
        }
        std::sort(first, last, [](const Entry& a, const Entry& b) { return a.digit < b.digit; });
        while (first != last) {
            Iterator runEnd = first + 1;
            bool keysGoOn = first->key.size() > depth + kDigitBytes;
            while (runEnd != last && runEnd->digit == first->digit) {
                keysGoOn = keysGoOn && runEnd->key.size() > depth + kDigitBytes;
                ++runEnd;
            }
            if (runEnd - first > 1) {
                if (keysGoOn) {
                    SortFrom(first, runEnd, depth + kDigitBytes);
                } else {
                    std::sort(first, runEnd, [this](const Entry& a, const Entry& b) { return WholeLess(a, b); });
                }
            }
            first = runEnd;
        }
    }

    const TextRun<char>& upper_;
    const TextRun<char>& names_;
};

}  // namespace

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

    TextRun<char> upper;
    upper.Reserve(names.Characters() + names.Characters() / 2, names.Size());  // upper-casing may lengthen UTF-8 a little
    std::string asciiUpper;
    for (std::size_t i = 0; i < names.Size(); ++i) {
        const std::string_view name = names[i];
        if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            // UpperCase maps ASCII to ASCII, a to z only; most names are ASCII and skip the round trip.
            asciiUpper.assign(name);
            for (char& c : asciiUpper) {
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
            }
            upper.Add(asciiUpper);
        } else {
            upper.Add(EncodeUtf8(UpperCase(DecodeUtf8Lenient(name))));
        }
    }
    std::vector<std::wstring> listed;
    listed.reserve(names.Size());
    const std::vector<std::size_t> order = ListingSort(upper, names).Order();
    constexpr std::size_t kAhead = 8;  // in listing order the names lie all over the buffer
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + kAhead < order.size()) __builtin_prefetch(names[order[k + kAhead]].data());
        listed.push_back(DecodeUtf8Lenient(names[order[k]]));
    }
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

}  // namespace lyrics
