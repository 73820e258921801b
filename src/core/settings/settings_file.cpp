#include "core/settings/settings_file.h"

#include <optional>
#include <vector>

#include "core/text/atomic_file.h"

namespace orvala {

namespace {

// The online identity a settings file starts with, before its own lines say otherwise.
void giveIdentityDefaults(Settings& s) {
    s.RecordsAddress = kBuiltInRecordsAddress;
    s.OnlineNick = kDefaultOnlineNick;
    s.OnlineLocation = kDefaultOnlineLocation;
    s.OnlineCity = kDefaultOnlineCity;
    s.OnlineGender = kDefaultOnlineGender;
    s.StatisticsAddress = kBuiltInStatisticsAddress;
}

constexpr char kGifOn = '\xE8';
constexpr char kGifOff = '\xEB';

// Lines end at LF, CR LF or a lone CR; bytes after the last line end make one more line. Only
// the first `wanted` lines are kept, each cut to kSettingsLineKeep bytes; a line of the first
// `strict` longer than kSettingsLineMax means the bytes are no settings file. The bytes may come
// in pieces.
class LineSplitter {
  public:
    LineSplitter(size_t wanted, size_t strict) : wanted_(wanted), strict_(strict) {}

    // False once no more bytes are wanted: the lines are complete, or one is too long.
    bool add(std::string_view bytes) {
        for (char c : bytes) {
            if (done()) return false;
            if (afterCr_) {
                afterCr_ = false;
                if (c == '\n') continue;
            }
            if (c == '\r' || c == '\n') {
                endLine();
                afterCr_ = c == '\r';
                continue;
            }
            open_ = true;
            if (++length_ > kSettingsLineMax && lines_.size() < strict_) tooLong_ = true;
            if (line_.size() < kSettingsLineKeep) line_ += c;
        }
        return !done();
    }
    bool tooLong() const { return tooLong_; }
    // The lines read, an unended last one included.
    std::vector<std::string> finish() {
        if (open_ && !done()) endLine();
        return std::move(lines_);
    }

  private:
    bool done() const { return tooLong_ || lines_.size() >= wanted_; }
    void endLine() {
        lines_.push_back(std::move(line_));
        line_.clear();
        length_ = 0;
        open_ = false;
    }

    size_t wanted_, strict_;
    std::vector<std::string> lines_;
    std::string line_;
    size_t length_ = 0;  // of the line being read, whatever of it is kept
    bool open_ = false;
    bool afterCr_ = false;
    bool tooLong_ = false;
};

// Plain decimal digits only, at most nine of them, within [lo, hi].
std::optional<int> number(std::string_view text, int lo, int hi) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi) return std::nullopt;
    return v;
}

void setIf(int& field, std::string_view text, int lo, int hi) {
    if (auto v = number(text, lo, hi)) field = *v;
}

void decodeGeneralLine(std::string_view line, Settings& s) {
    auto at = [&](size_t i) { return i < line.size() ? line[i] : '\0'; };
    auto has = [&](size_t i) { return i < line.size(); };
    auto digitIn = [&](size_t i, int lo, int hi, int& field) {
        if (has(i) && at(i) >= '0' + lo && at(i) <= '0' + hi) field = at(i) - '0';
    };
    digitIn(0, 0, 9, s.LanguageIndex);
    switch (at(1)) {
        case '0':
            s.SoundOn = false, s.MusicOn = false;
            break;
        case '1':
            s.SoundOn = true, s.MusicOn = true;
            break;
        case '2':
            s.SoundOn = true, s.MusicOn = false;
            break;
        case '3':
            s.SoundOn = false, s.MusicOn = true;
            break;
        default:
            break;
    }
    if (at(2) == '0') s.GifAnimationOn = false;
    if (at(3) == '0') s.FlyingCardsOn = false;
    if (at(4) == '2') s.TopTenMode = 2;
    if (at(5) == '1') s.NetworkMode = true;
    if (at(6) == '0') s.OwnCursorOn = false;
    digitIn(7, 1, 6, s.Speed);
    digitIn(8, 1, 5, s.WindowSize);
    if (has(9)) s.FirstRunReported = at(9) == 'R';
    if (has(10)) s.StatisticsSent = at(10) == 'L';
    if (has(11)) s.RadioListFromServer = at(11) == '0';
    digitIn(12, 1, 7, s.TitleColour);
    if (has(13)) s.NewButtonsOn = at(13) == '1';
    if (has(14)) s.AuxDesignPurple = at(14) == '1';
    digitIn(15, 1, 3, s.AuxDesignGrey);
    digitIn(16, 0, 1, s.MainMenuDesign);
    digitIn(17, 0, 1, s.TableDesign);
    if (at(18) == '0') s.SaluteOnButtons = false;
    if (at(18) == '1') s.SaluteOnButtons = true;
    if (at(19) == '0') s.SaluteOnCards = false;
    if (at(19) == '1') s.SaluteOnCards = true;
}

std::string formatGeneralLine(const Settings& s) {
    std::string line(20, '#');
    auto flag = [](bool on) { return on ? '1' : '0'; };
    auto digit = [](int v) { return static_cast<char>('0' + v); };
    if (s.LanguageIndex >= 0 && s.LanguageIndex <= 9) line[0] = digit(s.LanguageIndex);
    line[1] = s.SoundOn ? (s.MusicOn ? '1' : '2') : (s.MusicOn ? '3' : '0');
    line[2] = flag(s.GifAnimationOn);
    line[3] = flag(s.FlyingCardsOn);
    if (s.TopTenMode == 1 || s.TopTenMode == 2) line[4] = digit(s.TopTenMode);
    line[5] = flag(s.NetworkMode);
    line[6] = flag(s.OwnCursorOn);
    line[7] = s.Speed >= 1 && s.Speed <= 6 ? digit(s.Speed) : '4';
    if (s.WindowSize >= 1 && s.WindowSize <= 5) line[8] = digit(s.WindowSize);
    if (s.FirstRunReported) line[9] = 'R';
    if (s.StatisticsSent) line[10] = 'L';
    line[11] = s.RadioListFromServer ? '0' : '1';
    if (s.TitleColour >= 1 && s.TitleColour <= 7) line[12] = digit(s.TitleColour);
    line[13] = flag(s.NewButtonsOn);
    line[14] = flag(s.AuxDesignPurple);
    if (s.AuxDesignGrey >= 1 && s.AuxDesignGrey <= 3) line[15] = digit(s.AuxDesignGrey);
    if (s.MainMenuDesign == 0 || s.MainMenuDesign == 1) line[16] = digit(s.MainMenuDesign);
    if (s.TableDesign == 0 || s.TableDesign == 1) line[17] = digit(s.TableDesign);
    line[18] = flag(s.SaluteOnButtons);
    line[19] = flag(s.SaluteOnCards);
    return line;
}

std::string withoutLineBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

// Keeps `v` when it lies in [lo, hi], else the default.
int inRange(int v, int lo, int hi, int fallback) {
    return v >= lo && v <= hi ? v : fallback;
}

}  // namespace

void resetSettingsToDefaults(Settings& s) {
    const bool buttons = s.SaluteOnButtons;
    const bool cards = s.SaluteOnCards;
    s = Settings{};
    s.SaluteOnButtons = buttons;
    s.SaluteOnCards = cards;
}

namespace {

SettingsReadResult decodeLines(LineSplitter& splitter, Settings& s) {
    using Outcome = SettingsReadResult::Outcome;
    resetSettingsToDefaults(s);
    if (splitter.tooLong()) return {Outcome::Unreadable, 0};
    const auto lines = splitter.finish();
    if (lines.size() < static_cast<size_t>(kSettingsLineCount)) return {Outcome::TooShort, 0};
    auto line = [&](int n) { return std::string_view(lines[n - 1]); };  // 1-based, as counted
    auto stop = [](int n) { return SettingsReadResult{Outcome::Stopped, n}; };

    // The service's address stands apart from the guarded lines: a file stopped early keeps it.
    if (lines.size() >= static_cast<size_t>(kSettingsLineCountWithService) &&
        line(36) == kServiceHeader && line(37) != "#")
        s.ServiceAddress = std::string(line(37).substr(0, kServiceAddressMax));

    decodeGeneralLine(line(2), s);
    setIf(s.CardFaceSet, line(4), 0, kCardFaceSetMax);

    if (line(6).size() < 3) return stop(6);
    setIf(s.DeckBackSet, line(6).substr(0, 2), 0, kDeckBackSetMax);
    s.DeckBackFixed = line(6)[2] == '1';

    s.Rules = decodeRuleLine(line(8), RuleSettings{});

    for (int slot = 0; slot < 4; ++slot) {
        if (line(10 + slot).size() < 2) return stop(10 + slot);
        s.FontName[slot] = std::string(line(10 + slot).substr(0, kFontNameMax));
    }
    for (int slot = 0; slot < 4; ++slot) {
        if (line(14 + slot).empty()) return stop(14 + slot);
        setIf(s.FontScale[slot], line(14 + slot), kFontScaleMin, kFontScaleMax);
    }
    if (line(18).empty()) return stop(18);
    s.ServerAddress = std::string(line(19).substr(0, kServerAddressMax));
    if (line(20).empty()) return stop(20);
    s.ServerPort = std::string(line(20).substr(0, kServerPortMax));
    if (line(21).empty()) return stop(21);
    if (line(22).empty()) return stop(22);
    setIf(s.BackgroundTexture, line(22).substr(0, 2), 1, kBackgroundTextureMax);
    if (line(22).size() >= 3)
        setIf(s.BackgroundColour, line(22).substr(2, 1), 0, kBackgroundColourMax);
    if (line(23).empty()) return stop(23);
    if (line(24).empty()) return stop(24);
    s.PlayerName = std::string(line(24).substr(0, kPlayerNameMax));

    giveIdentityDefaults(s);

    if (line(26).empty()) return stop(26);
    s.RecordsAddress = std::string(line(26).substr(0, kServiceAddressMax));
    if (line(27).empty()) return stop(27);
    s.OnlineNick = std::string(line(27).substr(0, kOnlineNickMax));
    if (line(28).size() != 5) return stop(28);
    if (isValidLocationCode(line(28))) s.OnlineLocation = std::string(line(28));
    if (line(29).empty()) return stop(29);
    s.OnlineCity = std::string(line(29).substr(0, kOnlineCityMax));
    if (line(30).empty()) return stop(30);
    s.OnlineGender = line(30)[0] == 'W' ? "W" : "M";
    s.StatisticsAddress = std::string(line(31).substr(0, kServiceAddressMax));
    s.SaveGamesAsGif = line(33) == std::string_view(&kGifOn, 1);
    setIf(s.GifCaptureMode, line(34), 1, 2);
    setIf(s.GifFrameDelay, line(35), 0, kGifFrameDelayMax);
    return {Outcome::Complete, 0};
}

}  // namespace

void startNewInstallation(Settings& s) {
    giveIdentityDefaults(s);
    s.FirstRunReported = false;
    s.StatisticsSent = false;
}

SettingsReadResult decodeSettingsFile(std::string_view bytes, Settings& s) {
    LineSplitter lines(kSettingsLineCountWithService, kSettingsLineCount);
    lines.add(bytes);
    return decodeLines(lines, s);
}

SettingsReadResult loadSettingsFile(const std::string& path, Settings& s) {
    FileRead read = FileRead::Missing;
    // One more try: the file may be held open for a moment by another program.
    for (int attempt = 0; attempt < 2; ++attempt) {
        LineSplitter lines(kSettingsLineCountWithService, kSettingsLineCount);
        read = readFileInPieces(path, [&](std::string_view piece) { return lines.add(piece); });
        if (read == FileRead::Read) return decodeLines(lines, s);
    }
    resetSettingsToDefaults(s);
    if (read == FileRead::Missing) startNewInstallation(s);
    return {read == FileRead::Missing ? SettingsReadResult::Outcome::NoFile
                                      : SettingsReadResult::Outcome::Unreadable,
            0};
}

std::string settingsFilePath(const std::string& folder) {
    if (folder.empty()) return std::string(kSettingsFileName);
    const char last = folder.back();
    return folder + (last == '/' || last == '\\' ? "" : "/") + std::string(kSettingsFileName);
}

SettingsReadResult LoadSettings(const std::string& folder, Settings& s) {
    return loadSettingsFile(settingsFilePath(folder), s);
}

Settings normalizedSettings(const Settings& in) {
    const Settings d;
    Settings s = in;
    s.LanguageIndex = inRange(s.LanguageIndex, 0, 9, d.LanguageIndex);
    s.TopTenMode = inRange(s.TopTenMode, 1, 2, d.TopTenMode);
    s.Speed = inRange(s.Speed, 1, 6, d.Speed);
    s.WindowSize = inRange(s.WindowSize, 1, 5, d.WindowSize);
    s.TitleColour = inRange(s.TitleColour, 1, 7, d.TitleColour);
    s.AuxDesignGrey = inRange(s.AuxDesignGrey, 1, 3, d.AuxDesignGrey);
    s.MainMenuDesign = inRange(s.MainMenuDesign, 0, 1, d.MainMenuDesign);
    s.TableDesign = inRange(s.TableDesign, 0, 1, d.TableDesign);
    s.CardFaceSet = inRange(s.CardFaceSet, 0, kCardFaceSetMax, d.CardFaceSet);
    s.DeckBackSet = inRange(s.DeckBackSet, 0, kDeckBackSetMax, d.DeckBackSet);
    s.Rules.RuleBoltPenaltyMode =
        inRange(s.Rules.RuleBoltPenaltyMode, 1, 3, d.Rules.RuleBoltPenaltyMode);
    for (int slot = 0; slot < 4; ++slot) {
        s.FontName[slot] = withoutLineBreaks(s.FontName[slot]).substr(0, kFontNameMax);
        if (s.FontName[slot].size() < 2) s.FontName[slot] = d.FontName[slot];
        s.FontScale[slot] =
            inRange(s.FontScale[slot], kFontScaleMin, kFontScaleMax, d.FontScale[slot]);
    }
    s.ServerAddress = withoutLineBreaks(s.ServerAddress).substr(0, kServerAddressMax);
    auto nonEmpty = [](std::string text, std::string_view fallback) {
        text = withoutLineBreaks(std::move(text));
        return text.empty() ? std::string(fallback) : text;
    };
    s.ServerPort = nonEmpty(s.ServerPort, d.ServerPort).substr(0, kServerPortMax);
    s.BackgroundTexture =
        inRange(s.BackgroundTexture, 1, kBackgroundTextureMax, d.BackgroundTexture);
    s.BackgroundColour = inRange(s.BackgroundColour, 0, kBackgroundColourMax, d.BackgroundColour);
    s.PlayerName = nonEmpty(s.PlayerName, d.PlayerName).substr(0, kPlayerNameMax);
    s.RecordsAddress =
        nonEmpty(s.RecordsAddress, kBuiltInRecordsAddress).substr(0, kServiceAddressMax);
    s.OnlineNick = nonEmpty(s.OnlineNick, kDefaultOnlineNick).substr(0, kOnlineNickMax);
    if (!isValidLocationCode(s.OnlineLocation)) s.OnlineLocation = kDefaultOnlineLocation;
    s.OnlineCity = nonEmpty(s.OnlineCity, kDefaultOnlineCity).substr(0, kOnlineCityMax);
    s.OnlineGender = !s.OnlineGender.empty() && s.OnlineGender[0] == 'W' ? "W" : "M";
    s.StatisticsAddress =
        nonEmpty(s.StatisticsAddress, kBuiltInStatisticsAddress).substr(0, kServiceAddressMax);
    s.GifCaptureMode = inRange(s.GifCaptureMode, 1, 2, d.GifCaptureMode);
    s.GifFrameDelay = inRange(s.GifFrameDelay, 0, kGifFrameDelayMax, d.GifFrameDelay);
    // "#", the filler of an empty field, is how an empty address would read back.
    s.ServiceAddress = withoutLineBreaks(s.ServiceAddress).substr(0, kServiceAddressMax);
    if (s.ServiceAddress == "#") s.ServiceAddress.clear();
    return s;
}

std::string formatSettingsFile(const Settings& in) {
    const Settings s = normalizedSettings(in);
    std::string out;
    auto put = [&](std::string_view text) {
        out += text;
        out += "\r\n";
    };
    auto num = [](int v) { return std::to_string(v); };

    put("<# General>");
    put(formatGeneralLine(s));
    put("<# Cards>");
    put(num(s.CardFaceSet));
    put("<# Decks>");
    put((s.DeckBackSet < 10 ? "0" : "") + num(s.DeckBackSet) + (s.DeckBackFixed ? "1" : "0"));
    put("<# Individual>");
    put(formatRuleLine(s.Rules));
    put("<# Fonts>");
    for (const auto& name : s.FontName) put(name);
    for (int scale : s.FontScale) put(num(scale));
    put("<# IP & Port>");
    put(s.ServerAddress);
    put(s.ServerPort);
    put("<# Background>");
    std::string background = num(s.BackgroundTexture) + num(s.BackgroundColour);
    if (background.size() == 2) background.insert(0, "0");
    put(background);
    put("<# Name Of Player>");
    put(s.PlayerName);
    put("<# World Top Ten>");
    put(s.RecordsAddress);
    put(s.OnlineNick);
    put(s.OnlineLocation);
    put(s.OnlineCity);
    put(s.OnlineGender);
    put(s.StatisticsAddress);
    put("<# Save Games as GIF>");
    put(std::string(1, s.SaveGamesAsGif ? kGifOn : kGifOff));
    put(num(s.GifCaptureMode));
    put(num(s.GifFrameDelay));
    if (!s.ServiceAddress.empty()) {
        put(kServiceHeader);
        put(s.ServiceAddress);
    }
    return out;
}

SettingsSaveResult saveSettingsFile(const std::string& path, const Settings& s,
                                    const SettingsSaveHooks& hooks) {
    if (hooks.deleteTemporaryMusicFile) hooks.deleteTemporaryMusicFile();
    if (hooks.clubFilesAllowWriting && !hooks.clubFilesAllowWriting())
        return SettingsSaveResult::HeldBack;
    const std::string content = formatSettingsFile(s);
    if (writeFileAtomically(path, content) || writeFileAtomically(path, content))
        return SettingsSaveResult::Written;
    return SettingsSaveResult::Failed;
}

SettingsSaveResult SaveSettings(const std::string& folder, const Settings& s,
                                const SettingsSaveHooks& hooks) {
    return saveSettingsFile(settingsFilePath(folder), s, hooks);
}

}  // namespace orvala
