// FileSearch: the file-system search by name that the folder check uses.
// The Windows program implements it over the file system, the tests over a list of paths. The
// pattern is searched as given; the logic turns a folder ending in "\" into "folder\*".
#pragma once

#include <string_view>

namespace lyrics::orlisk {

class FileSearch {
public:
    virtual ~FileSearch() = default;
    // Whether pattern (wildcards "*" and "?" allowed in its last part) names at least one entry,
    // folders included.
    virtual bool FindsEntry(std::wstring_view pattern) = 0;
};

}  // namespace lyrics::orlisk
