// A stand-in MPRIS media player on the session bus for the tests of `lyrics playing` and `lyrics
// follow`: org.mpris.MediaPlayer2.NAME with the Player interface's PlaybackStatus and Metadata,
// told what to publish over the bus itself (interface org.lyrics.StandIn), so that a test's
// dbus-send returns once the change is out:
//   Set(status, artists, title)  publishes both properties; artists separated by "|", "" for none
//   Status(status)               publishes PlaybackStatus alone, as a pause does
//   Invalidate(status, artists, title)  as Set, but names Metadata as changed without its value
//   Churn(count)                 publishes count songs "Song 1" ... one after the other
//   Quit()                       leaves the bus
// Usage: mpris_player NAME [STATUS ARTISTS TITLE]. Prints "ready" once the name is its own.
#include <systemd/sd-bus.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kPath = "/org/mpris/MediaPlayer2";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";

struct Player {
    sd_bus* bus = nullptr;
    std::string status = "Stopped";
    std::vector<std::string> artists;
    std::string title;
    unsigned track = 0;
    bool quit = false;
};

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    std::size_t start = 0;
    for (std::size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(text.substr(start, bar - start));
    parts.push_back(text.substr(start));
    return parts;
}

int GetStatus(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* data, sd_bus_error*) {
    return sd_bus_message_append(reply, "s", static_cast<Player*>(data)->status.c_str());
}

int GetMetadata(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* data, sd_bus_error*) {
    const Player& player = *static_cast<Player*>(data);
    const std::string track = "/org/lyrics/track/" + std::to_string(player.track);
    sd_bus_message_open_container(reply, 'a', "{sv}");
    sd_bus_message_append(reply, "{sv}", "mpris:trackid", "o", track.c_str());
    sd_bus_message_append(reply, "{sv}", "xesam:title", "s", player.title.c_str());
    if (!player.artists.empty()) {
        sd_bus_message_open_container(reply, 'e', "sv");
        sd_bus_message_append(reply, "s", "xesam:artist");
        sd_bus_message_open_container(reply, 'v', "as");
        sd_bus_message_open_container(reply, 'a', "s");
        for (const std::string& artist : player.artists) sd_bus_message_append(reply, "s", artist.c_str());
        sd_bus_message_close_container(reply);
        sd_bus_message_close_container(reply);
        sd_bus_message_close_container(reply);
    }
    sd_bus_message_append(reply, "{sv}", "xesam:album", "s", "Stand-in Album");
    return sd_bus_message_close_container(reply);
}

void Publish(Player& player, bool song) {
    if (song) ++player.track;
    sd_bus_emit_properties_changed(player.bus, kPath, kPlayer, "PlaybackStatus", song ? "Metadata" : nullptr, nullptr);
}

// The song a call names ("sss": status, artists joined by '|', title) becomes the player's, a
// track of its own; announce tells the bus.
int TakeSong(sd_bus_message* call, void* data, void (*announce)(Player&)) {
    Player& player = *static_cast<Player*>(data);
    const char *status = nullptr, *artists = nullptr, *title = nullptr;
    if (const int r = sd_bus_message_read(call, "sss", &status, &artists, &title); r < 0) return r;
    player.status = status;
    player.artists = Split(artists);
    player.title = title;
    announce(player);
    return sd_bus_reply_method_return(call, "");
}

int Set(sd_bus_message* call, void* data, sd_bus_error*) {
    return TakeSong(call, data, [](Player& player) { Publish(player, true); });
}

// The new song announced as invalidated metadata, which a reader must ask for again.
int Invalidate(sd_bus_message* call, void* data, sd_bus_error*) {
    return TakeSong(call, data, [](Player& player) {
        ++player.track;
        sd_bus_emit_signal(player.bus, kPath, "org.freedesktop.DBus.Properties", "PropertiesChanged", "sa{sv}as", kPlayer, 0, 1,
                           "Metadata");
    });
}

int Status(sd_bus_message* call, void* data, sd_bus_error*) {
    Player& player = *static_cast<Player*>(data);
    const char* status = nullptr;
    if (const int r = sd_bus_message_read(call, "s", &status); r < 0) return r;
    player.status = status;
    Publish(player, false);
    return sd_bus_reply_method_return(call, "");
}

int Churn(sd_bus_message* call, void* data, sd_bus_error*) {
    Player& player = *static_cast<Player*>(data);
    std::uint32_t count = 0;
    if (const int r = sd_bus_message_read(call, "u", &count); r < 0) return r;
    player.status = "Playing";
    player.artists.clear();
    for (std::uint32_t i = 1; i <= count; ++i) {
        player.title = "Song " + std::to_string(i);
        Publish(player, true);
        sd_bus_flush(player.bus);
    }
    return sd_bus_reply_method_return(call, "");
}

int Quit(sd_bus_message* call, void* data, sd_bus_error*) {
    static_cast<Player*>(data)->quit = true;
    return sd_bus_reply_method_return(call, "");
}

const sd_bus_vtable kPlayerTable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("PlaybackStatus", "s", GetStatus, 0, SD_BUS_VTABLE_PROPERTY_EMITS_CHANGE),
    SD_BUS_PROPERTY("Metadata", "a{sv}", GetMetadata, 0, SD_BUS_VTABLE_PROPERTY_EMITS_CHANGE),
    SD_BUS_VTABLE_END,
};

const sd_bus_vtable kControlTable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("Set", "sss", "", Set, 0),
    SD_BUS_METHOD("Status", "s", "", Status, 0),
    SD_BUS_METHOD("Invalidate", "sss", "", Invalidate, 0),
    SD_BUS_METHOD("Churn", "u", "", Churn, 0),
    SD_BUS_METHOD("Quit", "", "", Quit, 0),
    SD_BUS_VTABLE_END,
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 5) {
        std::fprintf(stderr, "usage: mpris_player NAME [STATUS ARTISTS TITLE]\n");
        return 2;
    }
    Player player;
    if (argc == 5) {
        player.status = argv[2];
        player.artists = Split(argv[3]);
        player.title = argv[4];
    }
    if (sd_bus_open_user(&player.bus) < 0) return 1;
    const std::string name = std::string("org.mpris.MediaPlayer2.") + argv[1];
    if (sd_bus_add_object_vtable(player.bus, nullptr, kPath, kPlayer, kPlayerTable, &player) < 0 ||
        sd_bus_add_object_vtable(player.bus, nullptr, kPath, "org.lyrics.StandIn", kControlTable, &player) < 0 ||
        sd_bus_request_name(player.bus, name.c_str(), 0) < 0) {
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    while (!player.quit) {
        const int r = sd_bus_process(player.bus, nullptr);
        if (r < 0) break;  // the bus went away
        if (r == 0 && sd_bus_wait(player.bus, UINT64_MAX) < 0) break;
    }
    sd_bus_flush_close_unref(player.bus);
    return 0;
}
