#include "core/radio/playlist.h"

#include <algorithm>
#include <cctype>

namespace orvala {
namespace {

bool plainFileName(std::string_view name) {
    if (name.empty() || name.size() > 100 || name.front() == '.') return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x80 && std::isalnum(u)) || c == '.' || c == '-' || c == '_';
    });
}

}  // namespace

std::vector<Track> readPlaylist(std::string_view bytes) {
    std::vector<Track> tracks;
    if (bytes.size() > kPlaylistMaxBytes) return tracks;
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::size_t from = 0;
    while (from < bytes.size()) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(from, end - from);
        from = end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::size_t tilde = line.rfind('~');
        if (tilde == std::string_view::npos) continue;
        const std::string_view file = line.substr(tilde + 1);
        if (!plainFileName(file)) continue;
        std::string title;
        for (char c : line.substr(0, tilde))
            if (static_cast<unsigned char>(c) >= 0x20) title += c == '_' ? ' ' : c;
        tracks.push_back({std::move(title), std::string(file)});
    }
    return tracks;
}

std::string trackHint(const Track& t) {
    return t.title + "  :  " + t.file;
}

int steppedMusicVolume(int volume, int direction) {
    return std::clamp(volume + (direction > 0 ? 5 : direction < 0 ? -5 : 0), 0, 100);
}

int musicVolumeDirection(int y) {
    return y > 34 ? 1 : y <= 25 ? -1 : 0;
}

}  // namespace orvala
