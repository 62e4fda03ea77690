// MediaControls: the logic's MediaSession over Windows' media controls
// (GlobalSystemMediaTransportControlsSessionManager, Windows 10 1809 and later).
//
// A thread of its own, in the multithreaded apartment, asks for the session manager, listens
// to CurrentSessionChanged and to the current session's MediaPropertiesChanged, and after each
// event reads the current session's app id, artist and title again, keeping them under a lock
// for CurrentSong(). Players publish blank fields for a moment while a song starts: a reading
// without a title is read again a few times, shortly after. Where the system has no media
// controls (no combase.dll, or the class unknown) the thread ends at once and the song stays
// empty. When the object goes, the thread removes its registrations and ends; it is waited for
// a bounded time only.
#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include "common/win32/unique_handle.h"
#include "orlisk/media_session.h"

namespace lyrics::orlisk::win32 {

using namespace std::chrono_literals;

// How long the end of the program waits for the thread.
inline constexpr std::chrono::milliseconds kMediaThreadEndWait = 2000ms;
// A reading without a title is read again after this span, this many times at most.
inline constexpr std::chrono::milliseconds kBlankReadAgainAfter = 250ms;
inline constexpr int kBlankReadsAgain = 8;

class MediaControls final : public MediaSession {
public:
    MediaControls();
    MediaControls(const MediaControls&) = delete;
    MediaControls& operator=(const MediaControls&) = delete;
    ~MediaControls() override;

    void Follow() override;
    std::optional<PlayerSong> CurrentSong() override;

private:
    class Reader;
    std::unique_ptr<Reader> reader_;
    UniqueKernelHandle thread_;
};

}  // namespace lyrics::orlisk::win32
