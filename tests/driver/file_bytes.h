// Files as a test writes and reads them: exact bytes, text in the encodings programs write, the
// names in a folder, and a scratch folder of the test's own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lyrics::testing {

// The whole file, exactly these bytes; false when it could not be written.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The whole file; false when it could not be read.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);

// Text in the ANSI code page (as Windows programs write 8-bit text files), in UTF-8, and in
// UTF-16 little-endian without a byte-order mark.
std::string AnsiBytes(const std::wstring& text);
std::string Utf8Bytes(const std::wstring& text);
std::string Utf16LeBytes(const std::wstring& text);

// Names (without folder) of the files in folder that match pattern ("UnMatch *.txt").
std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern);
// Deletes the files in folder that match pattern.
void DeleteFilesMatching(const std::wstring& folder, const std::wstring& pattern);

// A fresh folder under the temporary folder, named after prefix, removed with all it holds when
// the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& prefix);
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    // The folder as a Windows path, without a trailing "\".
    std::wstring Path() const { return folder_.wstring(); }
    // Writes a file of the given bytes in the folder; false when it could not.
    bool AddFile(const std::wstring& name, const std::string& bytes) const;
    // A folder inside, named as the caller says ("Folder Song.txt").
    void AddFolder(const std::wstring& name) const;

private:
    std::filesystem::path folder_;
};

}  // namespace lyrics::testing
