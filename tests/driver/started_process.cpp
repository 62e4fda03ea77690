#include "tests/driver/started_process.h"

#include <tlhelp32.h>

#include "tests/driver/driver_support.h"

namespace lyrics::testing {

namespace {

constexpr DWORD kEndTimeoutMs = 5000;

std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    for (wchar_t c : argument) {
        if (c == L'"') quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

}  // namespace

bool StartedProcess::Start(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                           const std::wstring& workingFolder) {
    std::wstring commandLine = Quoted(exe);
    for (const std::wstring& argument : arguments) commandLine += L" " + Quoted(argument);
    return StartCommandLine(commandLine, workingFolder);
}

bool StartedProcess::StartCommandLine(const std::wstring& commandLine, const std::wstring& workingFolder) {
    End();
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Suspended until it is in its job, so that nothing it starts escapes the job.
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
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

bool StartedProcess::WaitForInputIdle(std::chrono::milliseconds timeout) const {
    return process_ && ::WaitForInputIdle(process_.get(), static_cast<DWORD>(timeout.count())) == 0;
}

bool StartedProcess::IsRunning() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool StartedProcess::WaitForExit(std::chrono::milliseconds timeout) const {
    return !process_ || ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> StartedProcess::ExitCode() const {
    DWORD code = 0;
    if (!process_ || IsRunning() || !::GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
}

void StartedProcess::End() {
    if (job_) ::TerminateJobObject(job_.get(), 1);
    if (IsRunning()) ::TerminateProcess(process_.get(), 1);
    if (process_) ::WaitForSingleObject(process_.get(), kEndTimeoutMs);
    LetRun();
}

void StartedProcess::LetRun() {
    job_.reset();
    process_.reset();
    id_ = 0;
}

std::optional<DWORD> Run(const std::wstring& commandLine, std::chrono::milliseconds timeout) {
    StartedProcess process;
    if (!process.StartCommandLine(commandLine) || !process.WaitForExit(timeout)) return std::nullopt;
    const std::optional<DWORD> code = process.ExitCode();
    process.LetRun();
    return code;
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    return id;
}

void EndProcess(DWORD processId) {
    const UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) return;
    ::TerminateProcess(process.get(), 1);
    ::WaitForSingleObject(process.get(), kEndTimeoutMs);
}

std::vector<DWORD> ProcessesNamed(const std::wstring& name) {
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
