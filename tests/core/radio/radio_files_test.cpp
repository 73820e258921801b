// The radio's station list, "ZorRadio.ini" and the playlist: what each reader takes, what it
// leaves out, and that what the program writes it reads back.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/radio/playlist.h"
#include "core/radio/radio_state.h"
#include "core/radio/station_list.h"
#include "core/text/atomic_file.h"

namespace orvala {
namespace {

TEST(StationList, TakesGoodLinesAndNumbersTheOnesLeftOut) {
    const std::string bytes =
        "# remark\r\n"
        "RUS#VGTRK01#Radio Mayak#Russian Federation#http://a.example/mayak#RRADIO_LOGO_MAYAK\r\n"
        "\r\n"
        "UA0#SUSP001#Promin#Ukraine#https://b.example/ur2\r\n"                 // no logo
        "RUS#VGTRK2#Short id#Russian Federation#http://a.example/x#L\r\n"      // 6-char id
        "RUS#VGTRK03#Local#Russian Federation#file:///etc/passwd#L\r\n"        // not the web
        "RUS#VGTRK04#Two#Russian Federation#http://a.example/x -o y#L\r\n"     // a blank
        "RUS#VGTRK05##Russian Federation#http://a.example/x#L\r\n"             // no name
        "DE0#DLF0001#Deutschlandfunk#Germany#https://c.example/dlf#L#extra\n"  // LF only
        "RUS#VGTRK06#Last#Russian Federation#http://a.example/last#L";         // no line end
    const auto list = readStationList(bytes);
    ASSERT_EQ(list.outcome, StationListOutcome::Read);
    ASSERT_EQ(list.stations.size(), 4u);
    EXPECT_EQ(list.stations[0], (Station{"RUS", "VGTRK01", "Radio Mayak", "Russian Federation",
                                         "http://a.example/mayak", "RRADIO_LOGO_MAYAK"}));
    EXPECT_EQ(list.stations[1].logo, kDefaultStationLogo);
    EXPECT_EQ(list.stations[2].url, "https://c.example/dlf");
    EXPECT_EQ(list.stations[3].name, "Last");
    EXPECT_EQ(list.rejectedLines, (std::vector<int>{5, 6, 7, 8}));

    EXPECT_EQ(stationsOf(list.stations, "RUS").size(), 2u);
    EXPECT_TRUE(stationsOf(list.stations, "JAP").empty());
    EXPECT_EQ(findStation(list.stations, "SUSP001")->name, "Promin");
    EXPECT_FALSE(findStation(list.stations, "NOSUCH1"));
}

TEST(StationList, RefusesListsWithoutStationsOrTooLarge) {
    EXPECT_EQ(readStationList("").outcome, StationListOutcome::NoStations);
    EXPECT_EQ(readStationList("# only\r\n\r\n").outcome, StationListOutcome::NoStations);
    EXPECT_EQ(readStationList("<html>Not found</html>").outcome, StationListOutcome::NoStations);
    const std::string huge(kStationListMaxBytes + 1, '#');
    EXPECT_EQ(readStationList(huge).outcome, StationListOutcome::TooLarge);
}

// The list the program ships is the one a fresh install plays: every line must be taken, every
// country code must be one the radio window lists, and the default station must be in it.
TEST(StationList, ShippedListIsWholeAndHoldsTheDefaultStation) {
    std::string bytes;
    ASSERT_TRUE(readFileBytes(ORVALA_SHIPPED_STATIONS, bytes));
    const auto list = readStationList(bytes);
    ASSERT_EQ(list.outcome, StationListOutcome::Read);
    EXPECT_TRUE(list.rejectedLines.empty()) << "first bad line " << list.rejectedLines.front();
    const auto& codes = radioCountryCodes();
    std::set<std::string> ids;
    for (const auto& s : list.stations) {
        EXPECT_NE(std::find(codes.begin(), codes.end(), s.countryCode), codes.end()) << s.id;
        EXPECT_TRUE(ids.insert(s.id).second) << "identifier twice: " << s.id;
    }
    const RadioState defaults;
    bool defaultFound = false;
    for (const auto& s : list.stations)
        defaultFound |= s.url == defaults.StationUrl && s.name == defaults.StationName &&
                        s.logo == defaults.StationLogo && s.country == defaults.StationCountry;
    EXPECT_TRUE(defaultFound);
    EXPECT_EQ(defaults.StationCountry, "Russian Federation");
    EXPECT_EQ(codes[static_cast<size_t>(defaults.CountryFilter)], "RUS");
}

TEST(RadioIni, RoundTripsAndKeepsDefaultsForWhatItCannotUse) {
    RadioState s;
    s.StationName = "NPO Klassiek";
    s.StationUrl = "https://a.example/radio4";
    s.StationCountry = "Netherlands";
    s.StationLogo = "RRADIO_LOGO_NPO";
    s.RadioOn = true;
    s.RadioVolume = 70;
    s.CountryFilter = 19;
    const std::string bytes = encodeRadioIni(s);
    EXPECT_EQ(bytes,
              "NPO Klassiek\r\nhttps://a.example/radio4\r\nNetherlands\r\nRRADIO_LOGO_NPO\r\n1\r\n"
              "70\r\n19\r\n");
    EXPECT_EQ(decodeRadioIni(bytes), s);

    // Numbers out of range or not numbers, and an on/off line that is neither, keep defaults.
    const RadioState d;
    const auto bad = decodeRadioIni("A\r\nhttp://x.example/\r\nB\r\nL\r\nyes\r\n140\r\n-1\r\n");
    EXPECT_EQ(bad.StationName, "A");
    EXPECT_EQ(bad.RadioOn, d.RadioOn);
    EXPECT_EQ(bad.RadioVolume, d.RadioVolume);
    EXPECT_EQ(bad.CountryFilter, d.CountryFilter);
    EXPECT_EQ(decodeRadioIni("A\r\nhttp://x.example/\r\nB\r\nL\r\n1\r\n 5\r\n99\r\n").RadioVolume,
              d.RadioVolume);

    // The station is one unit: a bad address, or a missing line, gives the default station.
    const auto local = decodeRadioIni("A\r\nfile:///dev/zero\r\nB\r\nL\r\n1\r\n50\r\n2\r\n");
    EXPECT_EQ(local.StationUrl, d.StationUrl);
    EXPECT_EQ(local.StationName, d.StationName);
    EXPECT_TRUE(local.RadioOn);
    EXPECT_EQ(local.RadioVolume, 50);
    EXPECT_EQ(decodeRadioIni("A\nhttp://x.example/\n").StationName, d.StationName);
    EXPECT_EQ(decodeRadioIni(""), d);
}

TEST(RadioIni, EmptyStationLineResetsEverythingWhenWritten) {
    const auto dir = std::filesystem::temp_directory_path() / "orvala_radio_ini_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "ZorRadio.ini").string();
    EXPECT_EQ(readRadioIni(path), RadioState{});  // missing: the defaults

    RadioState s;
    s.StationName = "";  // as an empty first line in the file leaves it
    s.RadioOn = true;
    s.RadioVolume = 90;
    s.CountryFilter = 5;
    ASSERT_TRUE(writeRadioIni(path, s));
    EXPECT_EQ(readRadioIni(path), RadioState{});

    s = RadioState{};
    s.RadioVolume = 100;
    s.RadioOn = true;
    ASSERT_TRUE(writeRadioIni(path, s));
    EXPECT_EQ(readRadioIni(path), s);
    // A folder where the file should be: the write fails and says so.
    EXPECT_FALSE(writeRadioIni(dir.string(), s));
    std::filesystem::remove_all(dir);
}

TEST(RadioVolume, StepsStopAtTheEnds) {
    EXPECT_EQ(steppedRadioVolume(30, +1), 40);
    EXPECT_EQ(steppedRadioVolume(100, +1), 100);
    EXPECT_EQ(steppedRadioVolume(95, +1), 100);
    EXPECT_EQ(steppedRadioVolume(0, -1), 0);
    EXPECT_EQ(steppedRadioVolume(5, -1), 0);
    EXPECT_EQ(steppedMusicVolume(50, +1), 55);
    EXPECT_EQ(steppedMusicVolume(100, +1), 100);
    EXPECT_EQ(steppedMusicVolume(0, -1), 0);
    EXPECT_EQ(musicVolumeDirection(35), +1);
    EXPECT_EQ(musicVolumeDirection(34), 0);
    EXPECT_EQ(musicVolumeDirection(26), 0);
    EXPECT_EQ(musicVolumeDirection(25), -1);
    EXPECT_EQ(musicVolumeDirection(0), -1);
}

TEST(RadioAvailable, NeedsTheLibraryAndTheListTheSettingsName) {
    const std::string good = "RUS#VGTRK01#R#Russian Federation#http://a.example/s#L\r\n";
    RadioSources s{true, true, good, good};
    EXPECT_TRUE(radioAvailable(s));
    s.downloadedList.reset();  // the service is down: the disk's list does not stand in
    EXPECT_FALSE(radioAvailable(s));
    s.listFromServer = false;
    EXPECT_TRUE(radioAvailable(s));
    s.diskList = "<html>not a list</html>";
    EXPECT_FALSE(radioAvailable(s));
    s.diskList = good;
    s.libraryFound = false;
    EXPECT_FALSE(radioAvailable(s));
    EXPECT_EQ(radioUnavailableMessage("Can`t find "), "Can`t find ZorRadio.rad + ZorRadio02.dll");
}

TEST(Playlist, ReadsTitleAndPlainFileNames) {
    const auto tracks = readPlaylist(
        "\xEF\xBB\xBF"
        "Evening_Waltz~evening_waltz.ogg\r\n"
        "Up~../secret.ogg\r\n"
        "no tilde at all\r\n"
        "A~b~c.ogg\n"
        "Empty~\r\n"
        "\xD0\x92\xD0\xB0\xD0\xBB\xD1\x8C\xD1\x81"
        "~valse.ogg");
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(tracks[0], (Track{"Evening Waltz", "evening_waltz.ogg"}));
    EXPECT_EQ(tracks[1], (Track{"A~b", "c.ogg"}));
    EXPECT_EQ(tracks[2].title, "\xD0\x92\xD0\xB0\xD0\xBB\xD1\x8C\xD1\x81");
    EXPECT_EQ(trackHint(tracks[0]), "Evening Waltz  :  evening_waltz.ogg");
    EXPECT_TRUE(readPlaylist(std::string(kPlaylistMaxBytes + 1, 'a')).empty());
}

}  // namespace
}  // namespace orvala
