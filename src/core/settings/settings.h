#pragma once
// `Settings`: every user setting of the program in one record, mirrored in the 35-line file
// "Orvala.ini" (settings_file.h). The record is owned by the main window and changed in place by
// the options dialog, the speed dialog, the "Mode" button and the online windows.
//
// Texts are Windows-1251 bytes, as in the file; the two service addresses are enciphered and
// kept as opaque text. Member initialisers are the defaults that the file reader starts from,
// except the online identity and the two addresses: they stay empty until a file has been read
// through its name line, which gives them the values of the k... constants below.

#include <array>
#include <string>
#include <string_view>

#include "core/game/rule_settings.h"

namespace orvala {

// What the identity fields become once a settings file has been read through its name line.
inline constexpr std::string_view kDefaultOnlineNick = "Incognito";
inline constexpr std::string_view kDefaultOnlineLocation = "1-001";
inline constexpr std::string_view kDefaultOnlineCity = "Moscow";
inline constexpr std::string_view kDefaultOnlineGender = "M";
// The built-in service addresses, enciphered. Their cipher and real values come with the web
// client; until then "#", the program's filler for an empty field, stands for "none".
inline constexpr std::string_view kBuiltInRecordsAddress = "#";
inline constexpr std::string_view kBuiltInStatisticsAddress = "#";

// The longest texts, in bytes, that the file reader takes and the writer writes; longer ones are
// cut. The nick and the city have the lengths their windows allow; the others are far beyond
// any real setting and only keep a damaged file from feeding the program huge texts (a font
// name of hundreds of kilobytes made every font look-up of a deal slow).
inline constexpr size_t kOnlineNickMax = 12;
inline constexpr size_t kOnlineCityMax = 15;
inline constexpr size_t kPlayerNameMax = 20;        // a club member's name
inline constexpr size_t kFontNameMax = 64;          // font family names are far shorter
inline constexpr size_t kServerAddressMax = 255;    // the longest host name
inline constexpr size_t kServerPortMax = 16;        // five digits in practice
inline constexpr size_t kServiceAddressMax = 1024;  // the two enciphered service addresses

struct Settings {
    int LanguageIndex = 0;  // 0..9, the column of the word table
    bool SoundOn = true;
    bool MusicOn = true;
    bool GifAnimationOn = true;
    bool FlyingCardsOn = true;
    int TopTenMode = 1;  // 1 score, 2 rating
    bool NetworkMode = false;
    bool OwnCursorOn = true;
    int Speed = 4;       // 1..6
    int WindowSize = 1;  // 1 small, 2 full screen, 3 average 1, 4 average 2, 5 large
    bool FirstRunReported = true;
    bool StatisticsSent = true;
    bool RadioListFromServer = true;
    int TitleColour = 1;  // 1..7
    bool NewButtonsOn = false;
    bool AuxDesignPurple = false;
    int AuxDesignGrey = 2;   // 1..3
    int MainMenuDesign = 0;  // 0 customizable, 1 purple
    int TableDesign = 0;     // 0 customizable, 1 purple
    bool SaluteOnButtons = true;
    bool SaluteOnCards = true;
    int CardFaceSet = 0;  // 0..47
    int DeckBackSet = 0;  // 0..12
    bool DeckBackFixed = false;
    RuleSettings Rules;
    // Font slots 1..4 at indices 0..3: large, small, special 1, special 2.
    std::array<std::string, 4> FontName = {"Comic Sans MS", "Comic Sans MS", "FixedSys",
                                           "Courier New"};
    std::array<int, 4> FontScale = {100, 100, 100, 100};  // per cent
    std::string ServerAddress = "127.0.0.1";
    std::string ServerPort = "25666";
    int BackgroundTexture = 2;  // 1..99
    int BackgroundColour = 0;   // 0..9
    std::string PlayerName = "Mr.X";
    std::string RecordsAddress;     // enciphered
    std::string OnlineNick;         // at most 12 characters
    std::string OnlineLocation;     // region digit, "-", three digits
    std::string OnlineCity;         // at most 15 characters
    std::string OnlineGender;       // "M" or "W"
    std::string StatisticsAddress;  // enciphered
    bool SaveGamesAsGif = false;
    int GifCaptureMode = 1;    // 1 main window only, 2 whole screen
    int GifFrameDelay = 1000;  // milliseconds
    // The web service's base address ("http://host:port"); empty for the local service on this
    // machine. Kept as the player typed it; the web client checks it when it is used.
    std::string ServiceAddress;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The ranges the file reader accepts; a value outside keeps the field's default.
inline constexpr int kCardFaceSetMax = 47;
inline constexpr int kDeckBackSetMax = 12;
inline constexpr int kFontScaleMin = 1;
inline constexpr int kFontScaleMax = 999;
inline constexpr int kBackgroundTextureMax = 99;
inline constexpr int kBackgroundColourMax = 9;
inline constexpr int kGifFrameDelayMax = 999999;

// A location code is a region digit 1..6, "-", and three digits within the region's range
// (1: 0..48, 2: 0..51, 3: 0..35, 4: 0..14, 5: 0..23, 6: 0..54), e.g. "1-001".
bool isValidLocationCode(std::string_view code);

}  // namespace orvala
