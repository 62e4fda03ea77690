// Win32ProgramHost: the logic's ProgramHost: the single-instance answer taken at start-up (a
// Local\ named mutex) and the folder Orlisk.exe sits in (GetModuleFileNameW).
#pragma once

#include "orlisk/program_host.h"
#include "orlisk/win32/single_instance.h"

namespace lyrics::orlisk::win32 {

class Win32ProgramHost final : public ProgramHost {
public:
    explicit Win32ProgramHost(const SingleInstance& singleInstance) : singleInstance_(singleInstance) {}

    bool AnotherInstanceRunning() override { return singleInstance_.AnotherIsRunning(); }
    std::wstring ProgramFolder() override;

private:
    const SingleInstance& singleInstance_;
};

}  // namespace lyrics::orlisk::win32
