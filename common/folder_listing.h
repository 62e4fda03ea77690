// The files that a folder holds directly, in the platform's listing order.
//
// On Windows this is the order FindFirstFileW/FindNextFileW give (NTFS: by upper-cased name).
// Elsewhere names are sorted by their upper-case form, then by the name itself, so that a report is
// the same on every machine. Subfolders are left out; everything else counts as a file.
#pragma once

#include <string>
#include <vector>

#include "common/result.h"

namespace lyrics {

Result<std::vector<std::wstring>> ListFolderFiles(const std::wstring& folder);

// Whether a folder, or a file, exists at the text as typed.
bool FolderExists(const std::wstring& path);
bool FileExists(const std::wstring& path);

}  // namespace lyrics
