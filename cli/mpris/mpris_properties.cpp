#include "cli/mpris/mpris_properties.h"

#include <cstring>
#include <string_view>

#include "common/text_codec.h"

namespace lyrics::cli::mpris {

namespace {

// A variant holding a string, or (for an artist) a list of strings joined with ", ". Players
// differ here: a string where a list belongs is taken as it is; any other type is skipped.
int ReadText(sd_bus_message* message, std::wstring& text) {
    char type = 0;
    const char* contents = nullptr;
    int r = sd_bus_message_peek_type(message, &type, &contents);
    if (r < 0) return r;
    if (contents != nullptr && std::strcmp(contents, "s") == 0) {
        const char* value = nullptr;
        r = sd_bus_message_read(message, "v", "s", &value);
        if (r >= 0) text = DecodeUtf8Lenient(value);
        return r;
    }
    if (contents == nullptr || std::strcmp(contents, "as") != 0) return sd_bus_message_skip(message, "v");
    if ((r = sd_bus_message_enter_container(message, 'v', "as")) < 0) return r;
    if ((r = sd_bus_message_enter_container(message, 'a', "s")) < 0) return r;
    const char* value = nullptr;
    std::wstring joined;
    while ((r = sd_bus_message_read(message, "s", &value)) > 0) {
        if (!joined.empty()) joined += L", ";
        joined += DecodeUtf8Lenient(value);
    }
    if (r < 0 || (r = sd_bus_message_exit_container(message)) < 0) return r;
    text = std::move(joined);
    return sd_bus_message_exit_container(message);
}

// Metadata, an a{sv} inside the variant: the song's artist and title, blank where it gives none.
int ReadMetadata(sd_bus_message* message, orlisk::PlayerSong& song) {
    int r = sd_bus_message_enter_container(message, 'v', "a{sv}");
    if (r < 0) return sd_bus_message_skip(message, "v");
    if ((r = sd_bus_message_enter_container(message, 'a', "{sv}")) < 0) return r;
    while ((r = sd_bus_message_enter_container(message, 'e', "sv")) > 0) {
        const char* key = nullptr;
        if ((r = sd_bus_message_read(message, "s", &key)) < 0) return r;
        const std::string_view name(key);
        r = name == "xesam:title"    ? ReadText(message, song.title)
            : name == "xesam:artist" ? ReadText(message, song.artist)
                                     : sd_bus_message_skip(message, "v");
        if (r < 0 || (r = sd_bus_message_exit_container(message)) < 0) return r;
    }
    if (r < 0 || (r = sd_bus_message_exit_container(message)) < 0) return r;
    return sd_bus_message_exit_container(message);
}

}  // namespace

std::wstring PlayerNameOf(const std::string& busName) {
    const std::size_t prefix = std::strlen(kMprisPrefix);
    if (busName.size() <= prefix || busName.compare(0, prefix, kMprisPrefix) != 0) return {};
    return DecodeUtf8Lenient(std::string_view(busName).substr(prefix));
}

int ReadPlayerProperties(sd_bus_message* message, PlayerUpdate& update) {
    int r = sd_bus_message_enter_container(message, 'a', "{sv}");
    if (r < 0) return r;
    while ((r = sd_bus_message_enter_container(message, 'e', "sv")) > 0) {
        const char* key = nullptr;
        if ((r = sd_bus_message_read(message, "s", &key)) < 0) return r;
        const std::string_view name(key);
        if (name == "PlaybackStatus") {
            std::wstring status;
            r = ReadText(message, status);
            update.status = std::move(status);
        } else if (name == "Metadata") {
            orlisk::PlayerSong song;
            r = ReadMetadata(message, song);
            update.song = std::move(song);
        } else {
            r = sd_bus_message_skip(message, "v");
        }
        if (r < 0 || (r = sd_bus_message_exit_container(message)) < 0) return r;
    }
    if (r < 0) return r;
    return sd_bus_message_exit_container(message);
}

}  // namespace lyrics::cli::mpris
