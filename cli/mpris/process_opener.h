// Opens a lyrics file in a program of its own, without waiting: xdg-open (the desktop's default
// program for text), or the user's $VISUAL / $EDITOR run through the shell as editors are.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/player_watch.h"

namespace lyrics::cli::mpris {

class ProcessOpener final : public LyricsOpener {
public:
    // editor: the command line of the editor; nothing for xdg-open. signalMask: the mask the
    // program starts with (the caller's own blocks what its loop reads).
    ProcessOpener(std::optional<std::string> editor, const sigset_t& signalMask)
        : editor_(std::move(editor)), signalMask_(signalMask) {}
    // The programs still running go on; the ones that ended are collected.
    ~ProcessOpener() override { Reap(); }

    Status Open(const std::wstring& path) override;
    std::vector<std::wstring> Reap() override;

    // The editor command the environment names ($VISUAL, else $EDITOR), if any.
    static std::optional<std::string> EditorOfEnvironment();

private:
    std::optional<std::string> editor_;
    sigset_t signalMask_;
    std::map<pid_t, std::wstring> running_;  // started program -> the path it opens
};

}  // namespace lyrics::cli::mpris
