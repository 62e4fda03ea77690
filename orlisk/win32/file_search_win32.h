// FileSystemSearch: the logic's FileSearch over FindFirstFileW, which matches wildcards and
// finds folders as well as files.
#pragma once

#include "orlisk/file_search.h"

namespace lyrics::orlisk::win32 {

class FileSystemSearch final : public FileSearch {
public:
    bool FindsEntry(std::wstring_view pattern) override;
};

}  // namespace lyrics::orlisk::win32
