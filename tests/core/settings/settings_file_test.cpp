#include "core/settings/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "core/settings/settings_run.h"
#include "core/text/atomic_file.h"
#include "core/text/cp1251.h"

namespace orvala {
namespace {

std::vector<std::string> linesOf(const std::string& file) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < file.size()) {
        size_t end = file.find("\r\n", start);
        if (end == std::string::npos) end = file.size();
        lines.push_back(file.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// The file the program writes with every default, as lines; tests change single lines of it.
std::vector<std::string> defaultLines() {
    return linesOf(formatSettingsFile(Settings{}));
}

Settings decode(const std::vector<std::string>& lines, SettingsReadResult* result = nullptr) {
    Settings s;
    const auto r = decodeSettingsFile(join(lines), s);
    if (result) *result = r;
    return s;
}

TEST(SettingsFile, DefaultsWriteTheKnownLines) {
    const std::string file = formatSettingsFile(Settings{});
    const auto lines = linesOf(file);
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "<# General>");
    EXPECT_EQ(lines[1], "011110141RL010020011");
    EXPECT_EQ(lines[5], "000");
    EXPECT_EQ(lines[7], "011111");
    EXPECT_EQ(lines[9], "Comic Sans MS");
    EXPECT_EQ(lines[12], "Courier New");
    EXPECT_EQ(lines[19], "25666");
    EXPECT_EQ(lines[21], "020");
    EXPECT_EQ(lines[23], "Mr.X");
    // A record that never saw a file still writes the identity the reader would give it.
    EXPECT_EQ(lines[26], "Incognito");
    EXPECT_EQ(lines[27], "1-001");
    EXPECT_EQ(lines[29], "M");
    EXPECT_EQ(lines[32], "\xEB");
    EXPECT_EQ(lines[34], "1000");
}

Settings everyFieldChanged() {
    Settings s;
    s.LanguageIndex = 9;
    s.SoundOn = false;
    s.MusicOn = true;
    s.GifAnimationOn = false;
    s.FlyingCardsOn = false;
    s.TopTenMode = 2;
    s.NetworkMode = true;
    s.OwnCursorOn = false;
    s.Speed = 6;
    s.WindowSize = 5;
    s.FirstRunReported = false;
    s.StatisticsSent = false;
    s.RadioListFromServer = false;
    s.TitleColour = 7;
    s.NewButtonsOn = true;
    s.AuxDesignPurple = true;
    s.AuxDesignGrey = 3;
    s.MainMenuDesign = 1;
    s.TableDesign = 1;
    s.SaluteOnButtons = false;
    s.SaluteOnCards = false;
    s.CardFaceSet = 47;
    s.DeckBackSet = 12;
    s.DeckBackFixed = true;
    s.Rules = {true, false, false, 3, false, false};
    s.FontName = {"Arial", "Tahoma", "Lucida Console", utf8ToCp1251("Шрифт")};
    s.FontScale = {90, 110, 125, 75};
    s.ServerAddress = "192.168.0.17";
    s.ServerPort = "31000";
    s.BackgroundTexture = 10;
    s.BackgroundColour = 6;
    s.PlayerName = utf8ToCp1251("Иван Петров");
    s.RecordsAddress = "\x7F\x01opaque%&=#text\xFF";
    s.OnlineNick = "TwelveLetter";
    s.OnlineLocation = "6-054";
    s.OnlineCity = "Saint-Petersbur";
    s.OnlineGender = "W";
    s.StatisticsAddress = "another opaque text";
    s.SaveGamesAsGif = true;
    s.GifCaptureMode = 2;
    s.GifFrameDelay = 250;
    s.ServiceAddress = "https://cards.example.org:8443/orvala";
    return s;
}

TEST(SettingsFile, EveryFieldRoundTrips) {
    const Settings s = everyFieldChanged();
    EXPECT_EQ(normalizedSettings(s), s);
    Settings back;  // salute flags start on: the file must turn them off
    const auto r = decodeSettingsFile(formatSettingsFile(s), back);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(back, s);

    // Each field on its own, so that a swapped pair of fields cannot hide in the whole.
    const Settings d;
    const Settings c = s;
    auto one = [&](auto setter) {
        Settings t = d;
        t.OnlineNick = kDefaultOnlineNick;
        t.OnlineLocation = kDefaultOnlineLocation;
        t.OnlineCity = kDefaultOnlineCity;
        t.OnlineGender = kDefaultOnlineGender;
        t.RecordsAddress = kBuiltInRecordsAddress;
        t.StatisticsAddress = kBuiltInStatisticsAddress;
        setter(t);
        Settings u;
        decodeSettingsFile(formatSettingsFile(t), u);
        return u == t;
    };
    EXPECT_TRUE(one([&](Settings& t) { t.SoundOn = false, t.MusicOn = false; }));
    EXPECT_TRUE(one([&](Settings& t) { t.MusicOn = false; }));
    EXPECT_TRUE(one([&](Settings& t) { t.DeckBackSet = 7; }));
    EXPECT_TRUE(one([&](Settings& t) { t.BackgroundTexture = 99, t.BackgroundColour = 9; }));
    EXPECT_TRUE(one([&](Settings& t) { t.ServerAddress = ""; }));
    EXPECT_TRUE(one([&](Settings& t) { t.GifFrameDelay = 0; }));
    EXPECT_TRUE(one([&](Settings& t) { t.Rules.RuleBoltPenaltyMode = 2; }));
    EXPECT_TRUE(one([&](Settings& t) { t.FontName[3] = c.FontName[3]; }));
}

// The service's address rides on two lines after the 35 only when it is set, so that other files
// stay as they were; it is read whether or not a guard stopped the reading earlier.
TEST(SettingsFile, TheServiceAddressFollowsThe35LinesWhenSet) {
    EXPECT_EQ(defaultLines().size(), 35u);
    Settings s;
    s.ServiceAddress = "http://10.0.0.5:8787";
    auto lines = linesOf(formatSettingsFile(s));
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[35], "<# Service>");
    EXPECT_EQ(lines[36], "http://10.0.0.5:8787");
    EXPECT_EQ(decode(lines).ServiceAddress, "http://10.0.0.5:8787");

    SettingsReadResult r;
    auto stopped = lines;
    stopped[26].clear();  // the nick: the reading stops there
    EXPECT_EQ(decode(stopped, &r).ServiceAddress, "http://10.0.0.5:8787");
    EXPECT_EQ(r.outcome, SettingsReadResult::Outcome::Stopped);

    auto noHeader = lines;
    noHeader[35] = "<# Something else>";
    EXPECT_EQ(decode(noHeader).ServiceAddress, "");
    auto filler = lines;
    filler[36] = "#";
    EXPECT_EQ(decode(filler).ServiceAddress, "");
    // A line break typed into the address cannot add a line to the file.
    s.ServiceAddress = "http://a\r\nb";
    EXPECT_EQ(linesOf(formatSettingsFile(s)).size(), 37u);
    EXPECT_EQ(decode(linesOf(formatSettingsFile(s))).ServiceAddress, "http://ab");
}

TEST(SettingsFile, PositionCodedLinesAsWritten) {
    Settings s;
    s.DeckBackSet = 7;
    s.DeckBackFixed = true;
    EXPECT_EQ(linesOf(formatSettingsFile(s))[5], "071");
    s.BackgroundTexture = 10;
    s.BackgroundColour = 3;
    EXPECT_EQ(linesOf(formatSettingsFile(s))[21], "103");
    s.SoundOn = true, s.MusicOn = false;
    EXPECT_EQ(linesOf(formatSettingsFile(s))[1][1], '2');
    s.SoundOn = false, s.MusicOn = true;
    EXPECT_EQ(linesOf(formatSettingsFile(s))[1][1], '3');
    s.Speed = 9;  // outside 1..6 the writer says "4"
    s.FirstRunReported = false;
    s.StatisticsSent = false;
    EXPECT_EQ(linesOf(formatSettingsFile(s))[1].substr(7, 5), "41##0");
}

TEST(SettingsFile, ShortOrMissingFileGivesAllDefaults) {
    auto lines = defaultLines();
    lines[1] = "930000000##1#11311##";  // would change nearly everything
    lines.resize(34);
    SettingsReadResult r;
    Settings s = decode(lines, &r);
    EXPECT_EQ(r.outcome, SettingsReadResult::Outcome::TooShort);
    EXPECT_EQ(s, Settings{});
    EXPECT_TRUE(s.OnlineNick.empty());  // the identity gets its defaults only from a file

    const auto dir = std::filesystem::temp_directory_path() / "orvala_settings_missing";
    std::filesystem::remove_all(dir);
    Settings t;
    t.Speed = 2;
    EXPECT_EQ(LoadSettings(dir.string(), t).outcome, SettingsReadResult::Outcome::NoFile);
    // No file is a new installation: not counted by the service, no like sent, the default
    // passport; the rest defaults.
    Settings fresh;
    fresh.FirstRunReported = false;
    fresh.StatisticsSent = false;
    fresh.OnlineNick = "Incognito";
    fresh.OnlineCity = "Moscow";
    fresh.OnlineLocation = "1-001";
    fresh.OnlineGender = "M";
    fresh.RecordsAddress = std::string(kBuiltInRecordsAddress);
    fresh.StatisticsAddress = std::string(kBuiltInStatisticsAddress);
    EXPECT_EQ(t, fresh);
    // Written and read again, the new installation stays uncounted until the service counts it.
    std::filesystem::create_directories(dir);
    ASSERT_EQ(SaveSettings(dir.string(), t), SettingsSaveResult::Written);
    Settings u;
    EXPECT_TRUE(LoadSettings(dir.string(), u).complete());
    EXPECT_FALSE(u.FirstRunReported);
    EXPECT_FALSE(u.StatisticsSent);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(decodeSettingsFile("", t).outcome, SettingsReadResult::Outcome::TooShort);
}

TEST(SettingsFile, GeneralLineDecodesOnlyItsPresentPositions) {
    auto lines = defaultLines();
    lines[1] = "30020";
    Settings s = decode(lines);
    EXPECT_EQ(s.LanguageIndex, 3);
    EXPECT_FALSE(s.SoundOn);
    EXPECT_FALSE(s.MusicOn);
    EXPECT_FALSE(s.GifAnimationOn);
    EXPECT_TRUE(s.FlyingCardsOn);  // only "0" turns it off
    EXPECT_EQ(s.TopTenMode, 1);    // only "2" changes it
    EXPECT_EQ(s.Speed, 4);
    EXPECT_TRUE(s.FirstRunReported);  // positions past the end keep their defaults
    EXPECT_TRUE(s.StatisticsSent);

    lines[1] = "011110141#L110020011";
    s = decode(lines);
    EXPECT_FALSE(s.FirstRunReported);
    EXPECT_FALSE(s.RadioListFromServer);  // "1": the radio list is read from disk first
    lines[1] = "011110141RL010020011";
    s = decode(lines);
    EXPECT_TRUE(s.FirstRunReported);
    EXPECT_TRUE(s.RadioListFromServer);

    lines[1] = "a11110141RL010020011";  // a reserved index no language has
    EXPECT_EQ(decode(lines).LanguageIndex, 0);
    lines[1] = "0111109#6RL0#1140000";
    s = decode(lines);
    EXPECT_EQ(s.Speed, 4);
    EXPECT_EQ(s.WindowSize, 1);
    EXPECT_EQ(s.TitleColour, 1);
    EXPECT_TRUE(s.NewButtonsOn);
    EXPECT_TRUE(s.AuxDesignPurple);
    EXPECT_EQ(s.AuxDesignGrey, 2);
    EXPECT_FALSE(s.SaluteOnButtons);
    EXPECT_FALSE(s.SaluteOnCards);
}

TEST(SettingsFile, SaluteFlagsAreNotResetByReading) {
    Settings s;
    s.SaluteOnButtons = false;
    s.SaluteOnCards = false;
    s.Speed = 1;
    auto lines = defaultLines();
    lines[1] = "0111101";  // too short to reach the salute positions
    decodeSettingsFile(join(lines), s);
    EXPECT_FALSE(s.SaluteOnButtons);
    EXPECT_FALSE(s.SaluteOnCards);
    EXPECT_EQ(s.Speed, 4);  // everything else was reset
}

TEST(SettingsFile, ShortDecksLineStopsBeforeTheRules) {
    auto lines = defaultLines();
    lines[1] = "111110142RL010020011";
    lines[3] = "12";
    lines[5] = "7";
    lines[7] = "100000";
    lines[9] = "Arial";
    lines[18] = "10.0.0.1";
    lines[21] = "053";
    lines[23] = "Somebody";
    SettingsReadResult r;
    const Settings s = decode(lines, &r);
    EXPECT_EQ(r.outcome, SettingsReadResult::Outcome::Stopped);
    EXPECT_EQ(r.stopLine, 6);
    EXPECT_EQ(s.LanguageIndex, 1);  // lines before the decks line count
    EXPECT_EQ(s.WindowSize, 2);
    EXPECT_EQ(s.CardFaceSet, 12);
    EXPECT_EQ(s.DeckBackSet, 0);
    EXPECT_EQ(s.Rules, RuleSettings{});
    EXPECT_EQ(s.FontName[0], "Comic Sans MS");
    EXPECT_EQ(s.ServerAddress, "127.0.0.1");
    EXPECT_EQ(s.BackgroundTexture, 2);
    EXPECT_EQ(s.PlayerName, "Mr.X");
    EXPECT_TRUE(s.OnlineNick.empty());
}

TEST(SettingsFile, GuardedTailEndsAtItsFirstEmptyLine) {
    auto lines = defaultLines();
    lines[11] = "X";  // font slot 3 needs two characters
    lines[19] = "4000";
    SettingsReadResult r;
    Settings s = decode(lines, &r);
    EXPECT_EQ(r.stopLine, 12);
    EXPECT_EQ(s.ServerPort, "25666");

    lines = defaultLines();
    lines[18] = "";  // line 19 has no guard
    lines[23] = "Petra";
    s = decode(lines, &r);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(s.ServerAddress, "");
    EXPECT_EQ(s.PlayerName, "Petra");

    lines = defaultLines();
    lines[23] = "";  // no name: the identity never gets its defaults
    lines[32] = "\xE8";
    s = decode(lines, &r);
    EXPECT_EQ(r.stopLine, 24);
    EXPECT_EQ(s.PlayerName, "Mr.X");
    EXPECT_TRUE(s.OnlineNick.empty());
    EXPECT_FALSE(s.SaveGamesAsGif);

    lines = defaultLines();
    lines[26] = "";  // no nick: the identity keeps the defaults given after line 24
    lines[28] = "Berlin";
    s = decode(lines, &r);
    EXPECT_EQ(r.stopLine, 27);
    EXPECT_EQ(s.OnlineNick, "Incognito");
    EXPECT_EQ(s.OnlineCity, "Moscow");
    EXPECT_EQ(s.RecordsAddress, "#");
}

TEST(SettingsFile, LocationCodeIsCheckedAndItsLengthGuarded) {
    auto lines = defaultLines();
    lines[28] = "Praha";
    lines[29] = "W";
    lines[30] = "stats";
    lines[32] = "\xE8";
    lines[33] = "2";
    lines[34] = "500";
    for (const char* good : {"2-051", "6-054", "4-000"}) {
        lines[27] = good;
        EXPECT_EQ(decode(lines).OnlineLocation, good);
    }
    for (const char* bad : {"2-052", "7-001", "1x001", "1-0a1", "0-001"}) {
        lines[27] = bad;
        SettingsReadResult r;
        const Settings s = decode(lines, &r);
        EXPECT_TRUE(r.complete()) << bad;
        EXPECT_EQ(s.OnlineLocation, "1-001") << bad;
        EXPECT_EQ(s.OnlineCity, "Praha");
        EXPECT_EQ(s.OnlineGender, "W");
        EXPECT_EQ(s.StatisticsAddress, "stats");
        EXPECT_TRUE(s.SaveGamesAsGif);
        EXPECT_EQ(s.GifCaptureMode, 2);
        EXPECT_EQ(s.GifFrameDelay, 500);
    }
    lines[27] = "1-10";
    SettingsReadResult r;
    const Settings s = decode(lines, &r);
    EXPECT_EQ(r.stopLine, 28);
    EXPECT_EQ(s.OnlineCity, "Moscow");
    EXPECT_EQ(s.OnlineGender, "M");
    EXPECT_EQ(s.StatisticsAddress, "#");
    EXPECT_FALSE(s.SaveGamesAsGif);
    EXPECT_EQ(s.GifCaptureMode, 1);
    EXPECT_EQ(s.GifFrameDelay, 1000);
}

TEST(SettingsFile, IdentityTextsAreCutAndGenderDefaulted) {
    auto lines = defaultLines();
    lines[26] = "ABCDEFGHIJKLMNOP";
    lines[28] = "Llanfairpwllgwyngyll";
    lines[29] = "X";
    Settings s = decode(lines);
    EXPECT_EQ(s.OnlineNick, "ABCDEFGHIJKL");
    EXPECT_EQ(s.OnlineCity, "Llanfairpwllgwy");
    EXPECT_EQ(s.OnlineGender, "M");
    lines[29] = "Woman";
    EXPECT_EQ(decode(lines).OnlineGender, "W");
    lines[32] = "\xE8\xE8";  // only the single byte counts
    EXPECT_FALSE(decode(lines).SaveGamesAsGif);
}

// A damaged file's huge texts never reach the program (a 300 KB font name slowed every deal),
// and the writer keeps to the same limits.
TEST(SettingsFile, TextsAreCutToTheirLimits) {
    auto lines = defaultLines();
    lines[9] = std::string(300000, 'F');
    lines[18] = std::string(300, '1');
    lines[19] = std::string(20, '2');
    lines[23] = "A name of thirty characters...";
    lines[25] = std::string(2000, 'r');
    lines[30] = std::string(2000, 's');
    SettingsReadResult r;
    const Settings s = decode(lines, &r);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(s.FontName[0], std::string(64, 'F'));
    EXPECT_EQ(s.ServerAddress, std::string(255, '1'));
    EXPECT_EQ(s.ServerPort, std::string(16, '2'));
    EXPECT_EQ(s.PlayerName, "A name of thirty cha");
    EXPECT_EQ(s.RecordsAddress, std::string(1024, 'r'));
    EXPECT_EQ(s.StatisticsAddress, std::string(1024, 's'));

    Settings big = s;
    big.FontName[3] = std::string(100, 'G');
    big.PlayerName = std::string(21, 'P');
    const auto written = linesOf(formatSettingsFile(big));
    EXPECT_EQ(written[12], std::string(64, 'G'));
    EXPECT_EQ(written[23], std::string(20, 'P'));
    EXPECT_EQ(written[25], s.RecordsAddress);
    EXPECT_EQ(normalizedSettings(s), s);
}

TEST(SettingsFile, BadNumbersKeepTheirDefaults) {
    auto lines = defaultLines();
    lines[3] = "48";   // face sets 0..47
    lines[5] = "131";  // back sets 0..12, fixed flag still read
    lines[7] = "1x9";  // a short, odd rule line changes what it can
    lines[13] = "12a";
    lines[14] = "-5";
    lines[21] = "x9";  // texture unreadable; no colour character
    lines[33] = "3";
    lines[34] = "1e3";
    SettingsReadResult r;
    const Settings s = decode(lines, &r);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(s.CardFaceSet, 0);
    EXPECT_EQ(s.DeckBackSet, 0);
    EXPECT_TRUE(s.DeckBackFixed);
    EXPECT_TRUE(s.Rules.RuleStartWith500);
    EXPECT_TRUE(s.Rules.RuleRoundToFive);
    EXPECT_EQ(s.Rules.RuleBoltPenaltyMode, 1);
    EXPECT_EQ(s.FontScale[0], 100);
    EXPECT_EQ(s.FontScale[1], 100);
    EXPECT_EQ(s.BackgroundTexture, 2);
    EXPECT_EQ(s.BackgroundColour, 0);
    EXPECT_EQ(s.GifCaptureMode, 1);
    EXPECT_EQ(s.GifFrameDelay, 1000);
}

TEST(SettingsFile, OtherLineEndsAndAMissingLastBreakAreRead) {
    std::string crlf = formatSettingsFile(everyFieldChanged());
    std::string lf, cr;
    for (size_t i = 0; i < crlf.size(); ++i) {
        if (crlf.compare(i, 2, "\r\n") == 0) {
            lf += '\n', cr += '\r', ++i;
        } else {
            lf += crlf[i], cr += crlf[i];
        }
    }
    for (const std::string& file : {lf, cr, crlf.substr(0, crlf.size() - 2)}) {
        Settings s;
        EXPECT_TRUE(decodeSettingsFile(file, s).complete());
        EXPECT_EQ(s, everyFieldChanged());
    }
}

// The writer never writes a line the reader would stop at: otherwise one empty name would lose
// every setting after it at the next start.
TEST(SettingsFile, WriterNeverWritesALineTheReaderStopsAt) {
    Settings s;  // as after a start without a file: the identity is empty
    s.SaveGamesAsGif = true;
    s.GifFrameDelay = 40;
    s.PlayerName = "";
    s.ServerPort = "";
    s.FontName[1] = "A";
    s.OnlineLocation = "9-999";
    s.PlayerName += "\r\n";
    s.ServerAddress = "1.2.3.4\n";
    Settings back;
    EXPECT_TRUE(decodeSettingsFile(formatSettingsFile(s), back).complete());
    EXPECT_TRUE(back.SaveGamesAsGif);
    EXPECT_EQ(back.GifFrameDelay, 40);
    EXPECT_EQ(back.PlayerName, "Mr.X");
    EXPECT_EQ(back.ServerPort, "25666");
    EXPECT_EQ(back.ServerAddress, "1.2.3.4");
    EXPECT_EQ(back.FontName[1], "Comic Sans MS");
    EXPECT_EQ(back.OnlineNick, "Incognito");
    EXPECT_EQ(back.OnlineLocation, "1-001");
    EXPECT_EQ(back.RecordsAddress, kBuiltInRecordsAddress);
    EXPECT_EQ(back.StatisticsAddress, kBuiltInStatisticsAddress);
}

class SettingsSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("orvala_settings_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(SettingsSaveTest, SavedFileLoadsBackAndReplacesTheOldOne) {
    const Settings s = everyFieldChanged();
    EXPECT_EQ(SaveSettings(dir_.string() + "/", Settings{}), SettingsSaveResult::Written);
    EXPECT_EQ(SaveSettings(dir_.string(), s), SettingsSaveResult::Written);
    std::string bytes;
    ASSERT_TRUE(readFileBytes((dir_ / "Orvala.ini").string(), bytes));
    EXPECT_EQ(bytes, formatSettingsFile(s));
    Settings back;
    EXPECT_TRUE(LoadSettings(dir_.string(), back).complete());
    EXPECT_EQ(back, s);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(SettingsSaveTest, HooksGateTheWritingAndDeleteTheMusicFirst) {
    int musicDeleted = 0;
    SettingsSaveHooks hooks;
    hooks.deleteTemporaryMusicFile = [&] { ++musicDeleted; };
    hooks.clubFilesAllowWriting = [] { return false; };
    EXPECT_EQ(SaveSettings(dir_.string(), Settings{}, hooks), SettingsSaveResult::HeldBack);
    EXPECT_EQ(musicDeleted, 1);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Orvala.ini"));
    hooks.clubFilesAllowWriting = [] { return true; };
    EXPECT_EQ(SaveSettings(dir_.string(), Settings{}, hooks), SettingsSaveResult::Written);
    EXPECT_EQ(musicDeleted, 2);
}

// The 35 lines are read whatever follows them; only a line longer than any settings file has
// makes the file unreadable.
TEST_F(SettingsSaveTest, TheFirst35LinesAreReadWhateverFollows) {
    const std::string path = (dir_ / "Orvala.ini").string();
    const std::string file = formatSettingsFile(everyFieldChanged());
    ASSERT_TRUE(writeFileAtomically(path, file + std::string(3u << 20, '\xFF') + "\r\n"));
    Settings s;
    EXPECT_TRUE(LoadSettings(dir_.string(), s).complete());
    EXPECT_EQ(s, everyFieldChanged());

    auto lines = linesOf(file);
    lines[18] = std::string(kSettingsLineMax, '1');  // long, yet read (and cut)
    ASSERT_TRUE(writeFileAtomically(path, join(lines)));
    EXPECT_TRUE(LoadSettings(dir_.string(), s).complete());
    EXPECT_EQ(s.ServerAddress, std::string(kServerAddressMax, '1'));
    EXPECT_EQ(s.GifFrameDelay, 250);
    lines[18] += '1';
    ASSERT_TRUE(writeFileAtomically(path, join(lines)));
    Settings t;
    EXPECT_EQ(LoadSettings(dir_.string(), t).outcome, SettingsReadResult::Outcome::Unreadable);
    EXPECT_EQ(t, Settings{});
}

// The decision of every save of a run: a file that was there but could not be read may hold the
// user's settings and is never replaced by the run's defaults; any other file is written.
TEST_F(SettingsSaveTest, AFileThatCouldNotBeReadIsNeverSavedOver) {
    using O = SettingsReadResult::Outcome;
    for (O o : {O::NoFile, O::TooShort, O::Stopped, O::Complete})
        EXPECT_TRUE(mayReplaceSettingsFile({o, 0}));
    EXPECT_FALSE(mayReplaceSettingsFile({O::Unreadable, 0}));

    const std::string path = (dir_ / "Orvala.ini").string();
    auto lines = defaultLines();
    lines[23] = std::string(kSettingsLineMax + 1, 'N');
    const std::string damaged = join(lines);
    ASSERT_TRUE(writeFileAtomically(path, damaged));
    Settings s;
    const SettingsRun run = loadSettingsRun(dir_.string(), s);
    EXPECT_EQ(run.loaded.outcome, O::Unreadable);
    s.Speed = 2;
    EXPECT_EQ(saveSettingsRun(dir_.string(), s, run), SettingsSaveResult::FileUnreadable);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(path, bytes, 4u << 20));
    EXPECT_EQ(bytes, damaged);

    // A FIFO in place of the file is unreadable at once, and stays.
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    const SettingsRun fifo = loadSettingsRun(dir_.string(), s);
    EXPECT_EQ(fifo.loaded.outcome, O::Unreadable);
    EXPECT_EQ(saveSettingsRun(dir_.string(), s, fifo), SettingsSaveResult::FileUnreadable);
    EXPECT_TRUE(std::filesystem::is_fifo(path));

    // A missing file and a short one are written.
    std::filesystem::remove(path);
    const SettingsRun none = loadSettingsRun(dir_.string(), s);
    EXPECT_EQ(none.loaded.outcome, O::NoFile);
    EXPECT_EQ(saveSettingsRun(dir_.string(), s, none), SettingsSaveResult::Written);
    ASSERT_TRUE(writeFileAtomically(path, "<# General>\r\n"));
    const SettingsRun shortFile = loadSettingsRun(dir_.string(), s);
    EXPECT_EQ(shortFile.loaded.outcome, O::TooShort);
    s.Speed = 3;
    EXPECT_EQ(saveSettingsRun(dir_.string(), s, shortFile), SettingsSaveResult::Written);
    EXPECT_TRUE(LoadSettings(dir_.string(), s).complete());
    EXPECT_EQ(s.Speed, 3);
}

// A demo plays fast and silent for itself; its saves write what was loaded plus the user's own
// changes.
TEST_F(SettingsSaveTest, ADemoSavesTheUsersSettingsNotItsOwnChoices) {
    Settings user;
    user.Speed = 2;
    user.SoundOn = true;
    user.MusicOn = false;
    ASSERT_EQ(SaveSettings(dir_.string(), user), SettingsSaveResult::Written);
    Settings s;
    const SettingsRun demo = loadSettingsRun(dir_.string(), s, true);
    EXPECT_EQ(s.Speed, 6);
    EXPECT_FALSE(s.SoundOn);
    s.TitleColour = 5;  // the user's own change
    ASSERT_EQ(saveSettingsRun(dir_.string(), s, demo), SettingsSaveResult::Written);
    Settings back;
    ASSERT_TRUE(LoadSettings(dir_.string(), back).complete());
    EXPECT_EQ(back.Speed, 2);
    EXPECT_TRUE(back.SoundOn);
    EXPECT_FALSE(back.MusicOn);
    EXPECT_EQ(back.TitleColour, 5);

    // What the user sets over the demo's choices is theirs.
    s.Speed = 3;
    s.SoundOn = true;
    EXPECT_EQ(recordToSave(s, demo).Speed, 3);
    EXPECT_TRUE(recordToSave(s, demo).SoundOn);
    // Outside a demo the record is saved as it is.
    Settings plain;
    const SettingsRun run = loadSettingsRun(dir_.string(), plain);
    plain.Speed = 6;
    EXPECT_EQ(recordToSave(plain, run), plain);
}

TEST_F(SettingsSaveTest, UnwritableFolderFailsAndLeavesNothing) {
    const auto missing = dir_ / "no" / "such" / "folder";
    EXPECT_EQ(SaveSettings(missing.string(), Settings{}), SettingsSaveResult::Failed);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// Each way a save can fail comes back as Failed, which the window tells the user, and leaves the
// old file whole.
TEST_F(SettingsSaveTest, AFailedSaveSaysSoAndKeepsTheOldFile) {
    const auto path = dir_ / "Orvala.ini";
    Settings s;
    s.Speed = 2;
    ASSERT_EQ(SaveSettings(dir_.string(), s), SettingsSaveResult::Written);
    const std::string old = formatSettingsFile(s);
    // A full disk, played by a file size limit.
    {
        rlimit saved;
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto* savedSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit full = saved;
        full.rlim_cur = 100;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
        const auto r = SaveSettings(dir_.string(), Settings{});
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedSignal);
        EXPECT_EQ(r, SettingsSaveResult::Failed);
    }
    std::string bytes;
    ASSERT_TRUE(readFileBytes(path.string(), bytes));
    EXPECT_EQ(bytes, old);
    // A read-only folder (root writes anyway).
    if (::geteuid() != 0) {
        std::filesystem::permissions(
            dir_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_EQ(SaveSettings(dir_.string(), Settings{}), SettingsSaveResult::Failed);
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    }
    // A folder of the file's name.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(SaveSettings(dir_.string(), Settings{}), SettingsSaveResult::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);

    EXPECT_TRUE(settingsSaveFailed(SettingsSaveResult::Failed));
    EXPECT_TRUE(settingsSaveFailed(SettingsSaveResult::FileUnreadable));
    EXPECT_FALSE(settingsSaveFailed(SettingsSaveResult::Written));
    EXPECT_FALSE(settingsSaveFailed(SettingsSaveResult::HeldBack));
}

}  // namespace
}  // namespace orvala
