// The programs a test starts, ended with everything they started in turn when the test lets them
// go; and what a test reads of processes it did not start. Every wait is bounded.
#pragma once

#include <windows.h>

#include <tlhelp32.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "tests/driver/driver_support.h"

namespace lyrics::testing {

// How long a test waits for a process it ends to go.
inline constexpr DWORD kEndTimeoutMs = 5000;

// The argument in double quotes, a quote inside escaped, as a command line takes it.
inline std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    for (wchar_t c : argument) {
        if (c == L'"') quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

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
    bool Start(const std::wstring& exe, const std::vector<std::wstring>& arguments = {}, const std::wstring& workingFolder = {}) {
        std::wstring commandLine = Quoted(exe);
        for (const std::wstring& argument : arguments) commandLine += L" " + Quoted(argument);
        return StartCommandLine(commandLine, workingFolder);
    }
    // Starts a command line as CreateProcess takes it, the program's path quoted first.
    bool StartCommandLine(std::wstring commandLine, const std::wstring& workingFolder = {}) {
        End();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        // Suspended until it is in its job, so that nothing it starts escapes the job.
        if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                              workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info))
            return false;
        const UniqueKernelHandle thread(info.hThread);
        process_.reset(info.hProcess);
        id_ = info.dwProcessId;
        job_.reset(::CreateJobObjectW(nullptr, nullptr));
        if (job_ && !::AssignProcessToJobObject(job_.get(), process_.get())) job_.reset();
        ::ResumeThread(thread.get());
        return true;
    }

    // Waits until the program waits for input (its first window is up); false when it did not.
    bool WaitForInputIdle(std::chrono::milliseconds timeout) const {
        return process_ && ::WaitForInputIdle(process_.get(), static_cast<DWORD>(timeout.count())) == 0;
    }
    bool IsRunning() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    // True when the program has ended within timeout (or none was started).
    bool WaitForExit(std::chrono::milliseconds timeout) const {
        return !process_ || ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
    }
    // The exit code once the program has ended; nullopt while it runs or when none was started.
    std::optional<DWORD> ExitCode() const {
        DWORD code = 0;
        if (!process_ || IsRunning() || !::GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
        return code;
    }
    DWORD Id() const noexcept { return id_; }

    // Ends the program and everything in its job, and waits (bounded) for the program to go.
    void End() {
        if (job_) ::TerminateJobObject(job_.get(), 1);
        if (IsRunning()) ::TerminateProcess(process_.get(), 1);
        if (process_) ::WaitForSingleObject(process_.get(), kEndTimeoutMs);
        LetRun();
    }
    // Forgets the program, leaving it and what it started running.
    void LetRun() {
        job_.reset();
        process_.reset();
        id_ = 0;
    }

private:
    UniqueKernelHandle job_;
    UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// Runs a command line to its end; the exit code, or nullopt when it could not start or overran
// (then it is ended). What the program started and left running runs on.
inline std::optional<DWORD> Run(const std::wstring& commandLine, std::chrono::milliseconds timeout = std::chrono::minutes(2)) {
    StartedProcess process;
    if (!process.StartCommandLine(commandLine) || !process.WaitForExit(timeout)) return std::nullopt;
    const std::optional<DWORD> code = process.ExitCode();
    process.LetRun();
    return code;
}

// The process that owns window.
inline DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    return id;
}
// Ends a process the test did not start, and waits (bounded) for it to go.
inline void EndProcess(DWORD processId) {
    const UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) return;
    ::TerminateProcess(process.get(), 1);
    ::WaitForSingleObject(process.get(), kEndTimeoutMs);
}
// Ids of the running processes whose program file is named name ("Au_.exe"), in any letter case.
inline std::vector<DWORD> ProcessesNamed(const std::wstring& name) {
    std::vector<DWORD> ids;
    const UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    const std::wstring wanted = LowerCase(name);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (LowerCase(entry.szExeFile) == wanted) ids.push_back(entry.th32ProcessID);
    return ids;
}

}  // namespace lyrics::testing
