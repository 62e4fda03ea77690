// The programs a test starts, ended with everything they started in turn when the test lets them
// go; and what a test reads of processes it did not start. Every wait is bounded.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"

namespace lyrics::testing {

// A program the test started, in a job of its own, so that what it starts (a Notepad, an
// uninstaller's copy of itself) belongs to it too. When the object goes, or at End, the program
// and everything still running in its job end, unless the test let them run on (LetRun).
class StartedProcess {
public:
    StartedProcess() = default;
    StartedProcess(StartedProcess&&) = default;
    StartedProcess& operator=(StartedProcess&&) = default;
    ~StartedProcess() { End(); }

    // Starts exe with the arguments (each quoted), in workingFolder (empty: the test's own).
    // No handle is inherited: a program under test must not keep the test's pipes open.
    bool Start(const std::wstring& exe, const std::vector<std::wstring>& arguments = {}, const std::wstring& workingFolder = {});
    // Starts a command line as CreateProcess takes it, the program's path quoted first.
    bool StartCommandLine(const std::wstring& commandLine, const std::wstring& workingFolder = {});

    // Waits until the program waits for input (its first window is up); false when it did not.
    bool WaitForInputIdle(std::chrono::milliseconds timeout) const;
    bool IsRunning() const;
    // True when the program has ended within timeout (or none was started).
    bool WaitForExit(std::chrono::milliseconds timeout) const;
    // The exit code once the program has ended; nullopt while it runs or when none was started.
    std::optional<DWORD> ExitCode() const;
    DWORD Id() const noexcept { return id_; }

    // Ends the program and everything in its job, and waits (bounded) for the program to go.
    void End();
    // Forgets the program, leaving it and what it started running.
    void LetRun();

private:
    UniqueKernelHandle job_;
    UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// Runs a command line to its end; the exit code, or nullopt when it could not start or overran
// (then it is ended). What the program started and left running runs on.
std::optional<DWORD> Run(const std::wstring& commandLine, std::chrono::milliseconds timeout);

// The process that owns window.
DWORD ProcessOf(HWND window);
// Ends a process the test did not start, and waits (bounded) for it to go.
void EndProcess(DWORD processId);
// Ids of the running processes whose program file is named name ("Au_.exe"), in any letter case.
std::vector<DWORD> ProcessesNamed(const std::wstring& name);

}  // namespace lyrics::testing
