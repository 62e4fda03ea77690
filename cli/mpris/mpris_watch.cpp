#include "cli/mpris/mpris_watch.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli/mpris/mpris_properties.h"
#include "common/path_text.h"
#include "common/text_codec.h"

namespace lyrics::cli::mpris {

namespace {

constexpr std::uint64_t kCallTimeoutUsec = 3'000'000;  // a player that hangs must not hold the loop

constexpr const char* kPropertiesChangedRule =
    "type='signal',interface='org.freedesktop.DBus.Properties',member='PropertiesChanged',"
    "path='/org/mpris/MediaPlayer2',arg0='org.mpris.MediaPlayer2.Player'";
constexpr const char* kNameOwnerChangedRule =
    "type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',member='NameOwnerChanged',"
    "arg0namespace='org.mpris.MediaPlayer2'";

std::wstring Reason(int negativeErrno) { return ReasonText(std::error_code(-negativeErrno, std::generic_category())); }

// Calls a method with at most one string argument; the reply, or nothing when it failed.
Message Call(sd_bus* bus, const char* destination, const char* path, const char* interface, const char* member,
             const char* argument) {
    sd_bus_message* raw = nullptr;
    if (sd_bus_message_new_method_call(bus, &raw, destination, path, interface, member) < 0) return nullptr;
    const Message call(raw);
    if (argument != nullptr && sd_bus_message_append(raw, "s", argument) < 0) return nullptr;
    BusError error;
    sd_bus_message* reply = nullptr;
    if (sd_bus_call(bus, raw, kCallTimeoutUsec, error.get(), &reply) < 0) return nullptr;
    return Message(reply);
}

Message CallBus(sd_bus* bus, const char* member, const char* argument) {
    return Call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", member, argument);
}

}  // namespace

Result<std::unique_ptr<MprisWatch>> MprisWatch::Connect() {
    sd_bus* raw = nullptr;
    if (const int r = sd_bus_open_user(&raw); r < 0) {
        return Failure{L"no session bus to reach the media players on (DBUS_SESSION_BUS_ADDRESS): " + Reason(r) + L"."};
    }
    std::unique_ptr<MprisWatch> watch(new MprisWatch(Bus(raw)));
    if (Status subscribed = watch->Subscribe(); !subscribed) return subscribed.failure();
    return watch;
}

// Listens before anything is read, so that no change between the reading and the listening is lost.
Status MprisWatch::Subscribe() {
    sd_bus_slot* properties = nullptr;
    sd_bus_slot* owners = nullptr;
    int r = sd_bus_add_match(bus_.get(), &properties, kPropertiesChangedRule, &MprisWatch::OnPropertiesChanged, this);
    propertiesSlot_.reset(properties);
    if (r >= 0) r = sd_bus_add_match(bus_.get(), &owners, kNameOwnerChangedRule, &MprisWatch::OnNameOwnerChanged, this);
    ownersSlot_.reset(owners);
    if (r < 0) return Failure{L"the session bus refused to pass on the players' changes: " + Reason(r) + L"."};
    return {};
}

std::optional<PlayerUpdate> MprisWatch::ReadPlayer(const std::string& busName) {
    const Message reply =
        Call(bus_.get(), busName.c_str(), kMprisPath, "org.freedesktop.DBus.Properties", "GetAll", kPlayerInterface);
    PlayerUpdate update{PlayerNameOf(busName), std::wstring(), orlisk::PlayerSong{}};
    if (!reply || ReadPlayerProperties(reply.get(), update) < 0) return std::nullopt;
    return update;
}

void MprisWatch::Owned(const std::string& busName, const std::string& owner) {
    std::vector<std::string>& names = namesOfOwner_[owner];
    if (std::find(names.begin(), names.end(), busName) == names.end()) names.push_back(busName);
}

Result<std::vector<PlayerUpdate>> MprisWatch::Players() {
    const Message reply = CallBus(bus_.get(), "ListNames", nullptr);
    char** names = nullptr;
    if (!reply || sd_bus_message_read_strv(reply.get(), &names) < 0) {
        return Failure{L"the session bus did not list its names."};
    }
    std::vector<PlayerUpdate> players;
    for (char** name = names; *name != nullptr; ++name) {
        const std::string busName(*name);
        std::free(*name);
        if (PlayerNameOf(busName).empty()) continue;
        const Message owner = CallBus(bus_.get(), "GetNameOwner", busName.c_str());
        const char* unique = nullptr;
        if (!owner || sd_bus_message_read(owner.get(), "s", &unique) < 0) continue;  // it left meanwhile
        Owned(busName, unique);
        if (std::optional<PlayerUpdate> player = ReadPlayer(busName)) players.push_back(std::move(*player));
    }
    std::free(names);
    return players;
}

int MprisWatch::OnPropertiesChanged(sd_bus_message* message, void* self, sd_bus_error*) {
    auto& watch = *static_cast<MprisWatch*>(self);
    const char* sender = sd_bus_message_get_sender(message);
    const auto owner = sender != nullptr ? watch.namesOfOwner_.find(sender) : watch.namesOfOwner_.end();
    if (owner == watch.namesOfOwner_.end()) return 0;  // not a player's name holder
    const char* interface = nullptr;
    PlayerUpdate update;
    if (sd_bus_message_read(message, "s", &interface) < 0 || ReadPlayerProperties(message, update) < 0) return 0;
    // A property named only as changed, without its value, is read afresh.
    bool readAfresh = false;
    char** invalidated = nullptr;
    if (sd_bus_message_read_strv(message, &invalidated) >= 0 && invalidated != nullptr) {
        for (char** name = invalidated; *name != nullptr; ++name) {
            readAfresh = readAfresh || std::strcmp(*name, "PlaybackStatus") == 0 || std::strcmp(*name, "Metadata") == 0;
            std::free(*name);
        }
        std::free(invalidated);
    }
    for (const std::string& busName : owner->second) {
        update.player = PlayerNameOf(busName);
        watch.pending_.push_back({WatchEvent{WatchEvent::Kind::Update, update, {}}, readAfresh ? busName : std::string()});
    }
    return 0;
}

int MprisWatch::OnNameOwnerChanged(sd_bus_message* message, void* self, sd_bus_error*) {
    auto& watch = *static_cast<MprisWatch*>(self);
    const char *name = nullptr, *oldOwner = nullptr, *newOwner = nullptr;
    if (sd_bus_message_read(message, "sss", &name, &oldOwner, &newOwner) < 0) return 0;
    const std::string busName(name);
    const std::wstring player = PlayerNameOf(busName);
    if (player.empty()) return 0;
    if (*oldOwner != '\0') {
        if (auto owner = watch.namesOfOwner_.find(oldOwner); owner != watch.namesOfOwner_.end()) {
            std::erase(owner->second, busName);
            if (owner->second.empty()) watch.namesOfOwner_.erase(owner);
        }
        watch.pending_.push_back({WatchEvent{WatchEvent::Kind::Gone, PlayerUpdate{player, {}, {}}, {}}, {}});
    }
    if (*newOwner != '\0') {
        watch.Owned(busName, newOwner);
        watch.pending_.push_back({WatchEvent{WatchEvent::Kind::Update, PlayerUpdate{player, {}, {}}, {}}, busName});
    }
    return 0;
}

const StopSignals& MprisWatch::WatchSignals() {
    if (!signals_) signals_ = std::make_unique<StopSignals>();
    return *signals_;
}

WatchEvent MprisWatch::Next() {
    WatchSignals();
    for (;;) {
        if (pending_.empty()) {
            WatchEvent waited = Wait();
            if (waited.kind != WatchEvent::Kind::Update) return waited;
            continue;
        }
        Pending next = std::move(pending_.front());
        pending_.pop_front();
        if (next.busName.empty()) return std::move(next.event);
        // A player that cannot be read (it left meanwhile) is told of by the bus's NameOwnerChanged.
        if (std::optional<PlayerUpdate> read = ReadPlayer(next.busName)) {
            return WatchEvent{WatchEvent::Kind::Update, std::move(*read), {}};
        }
    }
}

// Processes what the bus has, waiting for it when it has nothing: an Update (with pending_ filled
// or not) to look again, or the signal or the bus's end.
WatchEvent MprisWatch::Wait() {
    const int r = sd_bus_process(bus_.get(), nullptr);
    if (r < 0) return WatchEvent{WatchEvent::Kind::End, {}, L"the session bus went away (" + Reason(r) + L")."};
    if (r > 0) return WatchEvent{WatchEvent::Kind::Update, {}, {}};
    std::uint64_t usec = 0;
    int timeout = -1;
    if (sd_bus_get_timeout(bus_.get(), &usec) >= 0 && usec != UINT64_MAX) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const std::uint64_t nowUsec = static_cast<std::uint64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
        timeout = usec <= nowUsec ? 0 : static_cast<int>(std::min<std::uint64_t>((usec - nowUsec + 999) / 1000, 60'000));
    }
    const int events = sd_bus_get_events(bus_.get());
    pollfd fds[2] = {{sd_bus_get_fd(bus_.get()), static_cast<short>(events < 0 ? POLLIN : events), 0},
                     {signals_->Fd(), POLLIN, 0}};
    if (poll(fds, 2, timeout) < 0 && errno != EINTR) {
        return WatchEvent{WatchEvent::Kind::End, {}, L"waiting for the session bus failed (" + Reason(-errno) + L")."};
    }
    if (fds[1].revents & POLLIN) {
        const SignalSeen seen = signals_->Read();
        if (seen == SignalSeen::Stop) return WatchEvent{WatchEvent::Kind::End, {}, {}};
        if (seen == SignalSeen::ChildEnded) return WatchEvent{WatchEvent::Kind::ChildEnded, {}, {}};
    }
    return WatchEvent{WatchEvent::Kind::Update, {}, {}};
}

}  // namespace lyrics::cli::mpris
