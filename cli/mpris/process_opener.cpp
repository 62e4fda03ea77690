#include "cli/mpris/process_opener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

#include "cli/mpris/stop_signals.h"
#include "common/path_text.h"
#include "common/text_codec.h"

extern char** environ;

namespace lyrics::cli::mpris {

namespace {

// posix_spawn's attributes and file actions, each destroyed with its owner.
struct SpawnSetup {
    SpawnSetup() {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
};

}  // namespace

std::optional<std::string> ProcessOpener::EditorOfEnvironment() {
    for (const char* name : {"VISUAL", "EDITOR"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return std::string(value);
    }
    return std::nullopt;
}

Status ProcessOpener::Open(const std::wstring& path) {
    const std::string file = EncodePathBytes(path);
    // The editor's command line may hold options ("code --wait"); the path goes as "$1", unparsed.
    const std::string script = editor_ ? *editor_ + " \"$1\"" : std::string();
    std::vector<const char*> argv = editor_
                                        ? std::vector<const char*>{"/bin/sh", "-c", script.c_str(), "sh", file.c_str(), nullptr}
                                        : std::vector<const char*>{"xdg-open", file.c_str(), nullptr};
    SpawnSetup setup;
    sigset_t defaults = StopSignals::Watched();
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&setup.attributes, &signalMask_);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    // What the program says goes to standard error: standard output holds the lyrics lines only.
    if (!editor_) posix_spawn_file_actions_adddup2(&setup.actions, 2, 1);
    pid_t child = 0;
    const int error =
        posix_spawnp(&child, argv[0], &setup.actions, &setup.attributes, const_cast<char* const*>(argv.data()), environ);
    if (error != 0) {
        return Failure{L"could not start " + DecodeUtf8Lenient(argv[0]) + L" for \"" + DisplayPath(path) + L"\": " +
                       ReasonText(std::error_code(error, std::generic_category()))};
    }
    running_.emplace(child, path);
    return {};
}

std::vector<std::wstring> ProcessOpener::Reap() {
    std::vector<std::wstring> failures;
    for (auto it = running_.begin(); it != running_.end();) {
        int status = 0;
        if (waitpid(it->first, &status, WNOHANG) != it->first) {
            ++it;
            continue;
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            failures.push_back(std::wstring(editor_ ? L"the editor" : L"xdg-open") + L" ended with status " +
                               std::to_wstring(code) + L" for \"" + DisplayPath(it->second) + L"\"");
        }
        it = running_.erase(it);
    }
    return failures;
}

}  // namespace lyrics::cli::mpris
