#pragma once
// The settings file "Orvala.ini": 35 lines, each ended by CR LF, Windows-1251 bytes.
//
//   1 "<# General>"            2 the general line, 20 position-coded characters
//   3 "<# Cards>"              4 CardFaceSet
//   5 "<# Decks>"              6 DeckBackSet in two digits + "1"/"0" for DeckBackFixed
//   7 "<# Individual>"         8 the rule line, 6 characters (formatRuleLine)
//   9 "<# Fonts>"              10..13 FontName slots 1..4, 14..17 FontScale slots 1..4
//  18 "<# IP & Port>"          19 ServerAddress, 20 ServerPort
//  21 "<# Background>"         22 BackgroundTexture then BackgroundColour ("020", "103")
//  23 "<# Name Of Player>"     24 PlayerName
//  25 "<# World Top Ten>"      26 RecordsAddress, 27 OnlineNick, 28 OnlineLocation,
//                              29 OnlineCity, 30 OnlineGender, 31 StatisticsAddress
//  32 "<# Save Games as GIF>"  33 one byte, 0xE8 for SaveGamesAsGif, else 0xEB
//                              34 GifCaptureMode, 35 GifFrameDelay
//  36 "<# Service>"            37 ServiceAddress (only when one is set)
//
// Lines 36 and 37 are written only when the player has set the web service's address, so the
// file of everyone else stays the 35 lines it always was; a reader that knows only 35 lines
// ignores them, and a file without them means the local service. Line 37 counts only below that
// exact header.
//
// Reading trusts nothing and always leaves a valid record. Only the first 37 lines are read,
// whatever follows them, each kept up to kSettingsLineKeep bytes; a line of the first 35 longer
// than kSettingsLineMax is in no settings file, and the file is taken as unreadable. A file of
// fewer than 35 lines is ignored whole. Past line 6 the reading is guarded: a decks line shorter
// than three characters, or a guarded line that is empty (font names: shorter than two characters;
// the location line: not five characters), ends it there and the later fields keep their defaults.
// Numbers that are not numbers or lie outside their field's range keep the default as well. Header
// lines are never compared. Once the name line (24) has been taken, the online identity gets its
// defaults before lines 26..31 may replace them. Texts longer than their limits in settings.h are
// cut (font names 64 bytes, the player's name 20, the server address 255 and its port 16, nick 12,
// city 15, the service addresses and the service's own address 1024).
//
// Writing replaces the file atomically, so a crash leaves the old file or the new one, never a
// short one. The writer never writes a line that the reader would stop at or refuse: an empty
// guarded text or service address is written as the value the reader would give it, line breaks
// inside texts are dropped, texts are cut to their limits, and out-of-range numbers are written
// as their defaults (normalizedSettings).

#include <functional>
#include <string>
#include <string_view>

#include "core/settings/settings.h"

namespace orvala {

inline constexpr std::string_view kSettingsFileName = "Orvala.ini";
inline constexpr int kSettingsLineCount = 35;
inline constexpr int kSettingsLineCountWithService = 37;
inline constexpr std::string_view kServiceHeader = "<# Service>";
inline constexpr size_t kSettingsLineKeep = 4096;     // beyond every text limit of settings.h
inline constexpr size_t kSettingsLineMax = 1u << 20;  // a longer line: not a settings file

struct SettingsReadResult {
    enum class Outcome {
        NoFile,      // there is no file (twice): a new installation (startNewInstallation)
        TooShort,    // fewer than 35 lines: all defaults
        Stopped,     // a guard ended the reading at `stopLine`; later fields keep their defaults
        Complete,    // read through line 35: the caller goes on to fetch the service configuration
        Unreadable,  // something is there that could not be read (twice): not a regular file, no
                     // permission, an error, a line over kSettingsLineMax. All defaults, and the
                     // file is never saved over (settings_run.h): it may hold the user's settings
    };
    Outcome outcome = Outcome::NoFile;
    int stopLine = 0;  // the line whose guard failed, for Stopped

    bool complete() const { return outcome == Outcome::Complete; }
};

// Sets every field to its default except `SaluteOnButtons` and `SaluteOnCards`, which keep their
// value for the life of the process, and the online identity, which is left empty.
void resetSettingsToDefaults(Settings& s);

// A program folder without a settings file is a new installation: the service has not counted
// it yet, its user has not sent a like, and its online identity is the default passport
// ("Incognito" from "Moscow"), so that the chat and the lists work before the first save. A file that exists keeps the defaults (both on) for
// what it does not say, so a damaged file never counts an installation twice.
void startNewInstallation(Settings& s);

// Resets `s` and decodes the bytes of a whole settings file into it.
SettingsReadResult decodeSettingsFile(std::string_view bytes, Settings& s);

// Reads `path` (one more try when the first fails) and decodes it; without a readable file `s`
// holds the defaults.
SettingsReadResult loadSettingsFile(const std::string& path, Settings& s);

// `folder` + "Orvala.ini"; `folder` may end in a separator or not.
std::string settingsFilePath(const std::string& folder);

// Reads "Orvala.ini" in the program folder.
SettingsReadResult LoadSettings(const std::string& folder, Settings& s);

// The record as the writer writes it (see above). decodeSettingsFile(formatSettingsFile(s))
// gives back normalizedSettings(s) and reads through line 35.
Settings normalizedSettings(const Settings& s);

// The 35 lines, CR LF after each.
std::string formatSettingsFile(const Settings& s);

// What SaveSettings asks the rest of the program. Both are optional; an empty one is "allowed"
// and "nothing to do". The club-file check keeps the settings unwritten while a club file is
// missing or damaged; the music hook deletes the temporary tune file first.
struct SettingsSaveHooks {
    std::function<bool()> clubFilesAllowWriting;
    std::function<void()> deleteTemporaryMusicFile;
};

enum class SettingsSaveResult {
    Written,
    HeldBack,        // the club-file check said no; nothing was written
    Failed,          // two tries failed; the caller shows "Can`t save options!"
    FileUnreadable,  // the file could not be read at loading; nothing was written (settings_run.h)
};

SettingsSaveResult SaveSettings(const std::string& folder, const Settings& s,
                                const SettingsSaveHooks& hooks = {});
SettingsSaveResult saveSettingsFile(const std::string& path, const Settings& s,
                                    const SettingsSaveHooks& hooks = {});

}  // namespace orvala
