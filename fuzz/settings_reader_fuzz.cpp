// Fuzz target of the settings-file reader. Any bytes must give a valid record, and what the
// writer makes of that record must read back whole, to the same record, and write the same bytes.
// A broken property aborts, which the fuzzer and the corpus runner report as a crash.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/settings/settings_file.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "settings reader property broken: %s\n", what);
        std::abort();
    }
}

bool noLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") == std::string_view::npos;
}

void requireValid(const orvala::Settings& s) {
    using namespace orvala;
    require(s.LanguageIndex >= 0 && s.LanguageIndex <= 9, "LanguageIndex");
    require(s.TopTenMode == 1 || s.TopTenMode == 2, "TopTenMode");
    require(s.Speed >= 1 && s.Speed <= 6, "Speed");
    require(s.WindowSize >= 1 && s.WindowSize <= 5, "WindowSize");
    require(s.TitleColour >= 1 && s.TitleColour <= 7, "TitleColour");
    require(s.AuxDesignGrey >= 1 && s.AuxDesignGrey <= 3, "AuxDesignGrey");
    require(s.MainMenuDesign == 0 || s.MainMenuDesign == 1, "MainMenuDesign");
    require(s.TableDesign == 0 || s.TableDesign == 1, "TableDesign");
    require(s.CardFaceSet >= 0 && s.CardFaceSet <= kCardFaceSetMax, "CardFaceSet");
    require(s.DeckBackSet >= 0 && s.DeckBackSet <= kDeckBackSetMax, "DeckBackSet");
    require(s.Rules.RuleBoltPenaltyMode >= 1 && s.Rules.RuleBoltPenaltyMode <= 3, "penalty mode");
    for (int slot = 0; slot < 4; ++slot) {
        require(s.FontName[slot].size() >= 2 && noLineBreak(s.FontName[slot]), "FontName");
        require(s.FontScale[slot] >= kFontScaleMin && s.FontScale[slot] <= kFontScaleMax,
                "FontScale");
    }
    require(s.BackgroundTexture >= 1 && s.BackgroundTexture <= kBackgroundTextureMax, "texture");
    require(s.BackgroundColour >= 0 && s.BackgroundColour <= kBackgroundColourMax, "colour");
    require(!s.ServerPort.empty() && !s.PlayerName.empty(), "port or name empty");
    for (const std::string* t : {&s.ServerAddress, &s.ServerPort, &s.PlayerName, &s.RecordsAddress,
                                 &s.OnlineNick, &s.OnlineCity, &s.StatisticsAddress})
        require(noLineBreak(*t), "line break in a text");
    for (const auto& name : s.FontName) require(name.size() <= kFontNameMax, "FontName length");
    require(s.ServerAddress.size() <= kServerAddressMax, "ServerAddress length");
    require(s.ServerPort.size() <= kServerPortMax, "ServerPort length");
    require(s.PlayerName.size() <= kPlayerNameMax, "PlayerName length");
    require(s.RecordsAddress.size() <= kServiceAddressMax, "RecordsAddress length");
    require(s.StatisticsAddress.size() <= kServiceAddressMax, "StatisticsAddress length");
    require(s.OnlineNick.size() <= kOnlineNickMax, "OnlineNick length");
    require(s.OnlineCity.size() <= kOnlineCityMax, "OnlineCity length");
    require(s.OnlineLocation.empty() || isValidLocationCode(s.OnlineLocation), "OnlineLocation");
    require(s.OnlineGender.empty() || s.OnlineGender == "M" || s.OnlineGender == "W", "gender");
    require(s.GifCaptureMode == 1 || s.GifCaptureMode == 2, "GifCaptureMode");
    require(s.GifFrameDelay >= 0 && s.GifFrameDelay <= kGifFrameDelayMax, "GifFrameDelay");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvala;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Settings s;
    decodeSettingsFile(bytes, s);
    requireValid(s);

    const std::string written = formatSettingsFile(s);
    Settings again;
    again.SaluteOnButtons = !s.SaluteOnButtons;  // the file, not the old record, must decide
    again.SaluteOnCards = !s.SaluteOnCards;
    const SettingsReadResult r = decodeSettingsFile(written, again);
    require(r.complete(), "the writer's file does not read through line 35");
    require(again == normalizedSettings(s), "the writer's file reads back differently");
    require(formatSettingsFile(again) == written, "writing is not stable");
    return 0;
}
