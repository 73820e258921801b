// orvala-tool settings: reads a settings file field by field, or writes one from the defaults
// with some fields changed.
//
//   orvala-tool settings read FILE
//   orvala-tool settings write DIR [Field=value ...]
//
// Fields are named as in the record; the font slots are FontName1..4 and FontScale1..4. Flags
// are 0/1; texts are UTF-8 on the command line and Windows-1251 in the file.

#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "core/settings/settings_file.h"
#include "core/text/cp1251.h"

namespace orvala::tool {

namespace {

struct Field {
    std::string name;
    std::function<std::string(const Settings&)> get;
    std::function<void(Settings&, const std::string&)> set;
};

Field intField(std::string name, int Settings::*member, int lo, int hi) {
    return {name, [member](const Settings& s) { return std::to_string(s.*member); },
            [name, member, lo, hi](Settings& s, const std::string& v) {
                s.*member = parseInt(v, name, lo, hi);
            }};
}

bool parseFlag(const std::string& name, const std::string& v) {
    if (v != "0" && v != "1") throw UsageError(name + " is a flag: 0 or 1, not \"" + v + "\"");
    return v == "1";
}

Field flagField(std::string name, bool Settings::*member) {
    return {name, [member](const Settings& s) { return std::string(s.*member ? "1" : "0"); },
            [name, member](Settings& s, const std::string& v) { s.*member = parseFlag(name, v); }};
}

Field ruleFlag(std::string name, bool RuleSettings::*member) {
    return {name, [member](const Settings& s) { return std::string(s.Rules.*member ? "1" : "0"); },
            [name, member](Settings& s, const std::string& v) {
                s.Rules.*member = parseFlag(name, v);
            }};
}

// `check` says what is wrong with a value (empty when it is fine).
Field textField(std::string name, std::function<std::string&(Settings&)> ref,
                std::function<std::string(const std::string&)> check = {}) {
    return {name, [ref](const Settings& s) { return cp1251ToUtf8(ref(const_cast<Settings&>(s))); },
            [name, ref, check](Settings& s, const std::string& v) {
                const std::string bytes = utf8ToCp1251(v);
                if (bytes.find_first_of("\r\n") != std::string::npos)
                    throw UsageError(name + " cannot hold a line break");
                if (check) {
                    const std::string problem = check(bytes);
                    if (!problem.empty()) throw UsageError(name + " " + problem);
                }
                ref(s) = bytes;
            }};
}

std::function<std::string(const std::string&)> lengthIn(size_t minSize, size_t maxSize) {
    return [minSize, maxSize](const std::string& b) {
        if (b.size() < minSize)
            return "needs at least " + std::to_string(minSize) + " character(s)";
        if (b.size() > maxSize) return "holds at most " + std::to_string(maxSize) + " characters";
        return std::string();
    };
}

std::function<std::string(const std::string&)> sized(size_t maxSize) {
    return [maxSize](const std::string& b) {
        if (b.empty()) return std::string("cannot be empty");
        return b.size() > maxSize ? "holds at most " + std::to_string(maxSize) + " characters"
                                  : std::string();
    };
}

// Every field, in the order of the settings record.
const std::vector<Field>& fields() {
    static const std::vector<Field> all = [] {
        std::vector<Field> f;
        f.push_back(intField("LanguageIndex", &Settings::LanguageIndex, 0, 9));
        f.push_back(flagField("SoundOn", &Settings::SoundOn));
        f.push_back(flagField("MusicOn", &Settings::MusicOn));
        f.push_back(flagField("GifAnimationOn", &Settings::GifAnimationOn));
        f.push_back(flagField("FlyingCardsOn", &Settings::FlyingCardsOn));
        f.push_back(intField("TopTenMode", &Settings::TopTenMode, 1, 2));
        f.push_back(flagField("NetworkMode", &Settings::NetworkMode));
        f.push_back(flagField("OwnCursorOn", &Settings::OwnCursorOn));
        f.push_back(intField("Speed", &Settings::Speed, 1, 6));
        f.push_back(intField("WindowSize", &Settings::WindowSize, 1, 5));
        f.push_back(flagField("FirstRunReported", &Settings::FirstRunReported));
        f.push_back(flagField("StatisticsSent", &Settings::StatisticsSent));
        f.push_back(flagField("RadioListFromServer", &Settings::RadioListFromServer));
        f.push_back(intField("TitleColour", &Settings::TitleColour, 1, 7));
        f.push_back(flagField("NewButtonsOn", &Settings::NewButtonsOn));
        f.push_back(flagField("AuxDesignPurple", &Settings::AuxDesignPurple));
        f.push_back(intField("AuxDesignGrey", &Settings::AuxDesignGrey, 1, 3));
        f.push_back(intField("MainMenuDesign", &Settings::MainMenuDesign, 0, 1));
        f.push_back(intField("TableDesign", &Settings::TableDesign, 0, 1));
        f.push_back(flagField("SaluteOnButtons", &Settings::SaluteOnButtons));
        f.push_back(flagField("SaluteOnCards", &Settings::SaluteOnCards));
        f.push_back(intField("CardFaceSet", &Settings::CardFaceSet, 0, kCardFaceSetMax));
        f.push_back(intField("DeckBackSet", &Settings::DeckBackSet, 0, kDeckBackSetMax));
        f.push_back(flagField("DeckBackFixed", &Settings::DeckBackFixed));
        f.push_back(ruleFlag("RuleStartWith500", &RuleSettings::RuleStartWith500));
        f.push_back(ruleFlag("RuleRoundToFive", &RuleSettings::RuleRoundToFive));
        f.push_back(ruleFlag("RuleBolts", &RuleSettings::RuleBolts));
        f.push_back({"RuleBoltPenaltyMode",
                     [](const Settings& s) { return std::to_string(s.Rules.RuleBoltPenaltyMode); },
                     [](Settings& s, const std::string& v) {
                         s.Rules.RuleBoltPenaltyMode = parseInt(v, "RuleBoltPenaltyMode", 1, 3);
                     }});
        f.push_back(ruleFlag("RuleBarrel", &RuleSettings::RuleBarrel));
        f.push_back(ruleFlag("RulePainting", &RuleSettings::RulePainting));
        for (size_t slot = 0; slot < 4; ++slot)
            f.push_back(textField(
                "FontName" + std::to_string(slot + 1),
                [slot](Settings& s) -> std::string& { return s.FontName[slot]; },
                lengthIn(2, kFontNameMax)));
        for (size_t slot = 0; slot < 4; ++slot) {
            const std::string name = "FontScale" + std::to_string(slot + 1);
            f.push_back({name,
                         [slot](const Settings& s) { return std::to_string(s.FontScale[slot]); },
                         [slot, name](Settings& s, const std::string& v) {
                             s.FontScale[slot] = parseInt(v, name, kFontScaleMin, kFontScaleMax);
                         }});
        }
        f.push_back(textField(
            "ServerAddress", [](Settings& s) -> std::string& { return s.ServerAddress; },
            lengthIn(0, kServerAddressMax)));
        f.push_back(textField(
            "ServerPort", [](Settings& s) -> std::string& { return s.ServerPort; },
            lengthIn(1, kServerPortMax)));
        f.push_back(
            intField("BackgroundTexture", &Settings::BackgroundTexture, 1, kBackgroundTextureMax));
        f.push_back(
            intField("BackgroundColour", &Settings::BackgroundColour, 0, kBackgroundColourMax));
        f.push_back(textField(
            "PlayerName", [](Settings& s) -> std::string& { return s.PlayerName; },
            lengthIn(1, kPlayerNameMax)));
        f.push_back(textField(
            "RecordsAddress", [](Settings& s) -> std::string& { return s.RecordsAddress; },
            lengthIn(1, kServiceAddressMax)));
        f.push_back(textField(
            "OnlineNick", [](Settings& s) -> std::string& { return s.OnlineNick; },
            sized(kOnlineNickMax)));
        f.push_back(textField(
            "OnlineLocation", [](Settings& s) -> std::string& { return s.OnlineLocation; },
            [](const std::string& b) {
                return isValidLocationCode(b) ? std::string()
                                              : "must be a location code such as 1-001";
            }));
        f.push_back(textField(
            "OnlineCity", [](Settings& s) -> std::string& { return s.OnlineCity; },
            sized(kOnlineCityMax)));
        f.push_back(textField(
            "OnlineGender", [](Settings& s) -> std::string& { return s.OnlineGender; },
            [](const std::string& b) {
                return b == "M" || b == "W" ? std::string() : "must be M or W";
            }));
        f.push_back(textField(
            "StatisticsAddress", [](Settings& s) -> std::string& { return s.StatisticsAddress; },
            lengthIn(0, kServiceAddressMax)));
        f.push_back(flagField("SaveGamesAsGif", &Settings::SaveGamesAsGif));
        f.push_back(intField("GifCaptureMode", &Settings::GifCaptureMode, 1, 2));
        f.push_back(intField("GifFrameDelay", &Settings::GifFrameDelay, 0, kGifFrameDelayMax));
        f.push_back(textField(
            "ServiceAddress", [](Settings& s) -> std::string& { return s.ServiceAddress; },
            lengthIn(0, kServiceAddressMax)));
        return f;
    }();
    return all;
}

std::string describe(const SettingsReadResult& r) {
    using O = SettingsReadResult::Outcome;
    switch (r.outcome) {
        case O::NoFile:
            return "cannot be read";
        case O::Unreadable:
            return "is there but cannot be read as a settings file";
        case O::TooShort:
            return "has fewer than 35 lines: every field keeps its default";
        case O::Stopped:
            return "stopped at line " + std::to_string(r.stopLine) +
                   ": the fields after it keep their defaults";
        case O::Complete:
            return "read through line 35";
    }
    return {};
}

int readCommand(const std::string& path) {
    Settings s;
    const SettingsReadResult r = loadSettingsFile(path, s);
    if (r.outcome == SettingsReadResult::Outcome::NoFile ||
        r.outcome == SettingsReadResult::Outcome::Unreadable) {
        std::cerr << "orvala-tool settings: " << path << " " << describe(r) << '\n';
        return 1;
    }
    for (const auto& f : fields()) std::cout << f.name << '=' << f.get(s) << '\n';
    std::cerr << path << ": " << describe(r) << '\n';
    return 0;
}

int writeCommand(const std::string& dir, const std::vector<std::string>& changes) {
    Settings s;
    for (const auto& change : changes) {
        const size_t eq = change.find('=');
        if (eq == std::string::npos)
            throw UsageError("expected Field=value, not \"" + change + "\"");
        const std::string name = change.substr(0, eq);
        const Field* field = nullptr;
        for (const auto& f : fields())
            if (f.name == name) field = &f;
        if (!field) throw UsageError("unknown field \"" + name + "\"");
        field->set(s, change.substr(eq + 1));
    }
    const std::string path = settingsFilePath(dir);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);  // a failure shows as the write failing
    if (SaveSettings(dir, s) != SettingsSaveResult::Written) {
        std::cerr << "orvala-tool settings: cannot write " << path << '\n';
        return 1;
    }
    std::cout << path << '\n';
    return 0;
}

}  // namespace

int runSettings(Args& args) {
    const auto words = args.positional();
    if (words.empty()) throw UsageError("say read or write");
    if (words[0] == "read") {
        if (words.size() != 2) throw UsageError("settings read takes one FILE");
        return readCommand(words[1]);
    }
    if (words[0] == "write") {
        if (words.size() < 2) throw UsageError("settings write needs a DIR");
        return writeCommand(words[1], {words.begin() + 2, words.end()});
    }
    throw UsageError("unknown settings command \"" + words[0] + "\" (read or write)");
}

}  // namespace orvala::tool
