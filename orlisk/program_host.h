// ProgramHost: what the logic needs to know about the running program itself.
// The Windows program answers from the running process, the tests with plain values.
#pragma once

#include <string>

namespace lyrics::orlisk {

class ProgramHost {
public:
    virtual ~ProgramHost() = default;
    // Whether another Orlisk already runs in this session.
    virtual bool AnotherInstanceRunning() = 0;
    // The program's folder, without a trailing "\" unless it is a drive's root ("C:\").
    virtual std::wstring ProgramFolder() = 0;
};

}  // namespace lyrics::orlisk
