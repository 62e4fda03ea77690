// The media players on the session D-Bus through MPRIS (sd-bus): the players there, and what
// they publish as it happens, read from PropertiesChanged on org.mpris.MediaPlayer2.Player and
// NameOwnerChanged for players that come and go. Waits in poll() on the bus and the signals.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/mpris/sd_bus_handles.h"
#include "cli/mpris/stop_signals.h"
#include "cli/player_watch.h"
#include "common/result.h"

namespace lyrics::cli::mpris {

class MprisWatch final : public PlayerWatch {
public:
    // Connects to the session bus ($DBUS_SESSION_BUS_ADDRESS, else the user's bus).
    static Result<std::unique_ptr<MprisWatch>> Connect();

    Result<std::vector<PlayerUpdate>> Players() override;
    WatchEvent Next() override;

    // Starts taking the signals Next waits for (Next does, at the latest).
    const StopSignals& WatchSignals();

private:
    struct Pending {
        WatchEvent event;
        std::string busName;  // read the player's properties afresh from here before handing it on
    };

    explicit MprisWatch(Bus bus) : bus_(std::move(bus)) {}
    Status Subscribe();
    std::optional<PlayerUpdate> ReadPlayer(const std::string& busName);
    void Owned(const std::string& busName, const std::string& owner);
    static int OnPropertiesChanged(sd_bus_message* message, void* self, sd_bus_error* error);
    static int OnNameOwnerChanged(sd_bus_message* message, void* self, sd_bus_error* error);
    WatchEvent Wait();

    Bus bus_;
    Slot propertiesSlot_, ownersSlot_;
    std::map<std::string, std::vector<std::string>> namesOfOwner_;  // unique name -> MPRIS bus names
    std::deque<Pending> pending_;
    std::unique_ptr<StopSignals> signals_;
};

}  // namespace lyrics::cli::mpris
