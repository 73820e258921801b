// The radio behind the main window's icon, against a service of the test's own on 127.0.0.1:
// where its station list comes from, what makes it unavailable, and that the chosen station
// plays (the sound log's hook hears it start) and is remembered in "ZorRadio.ini".

#include <gtest/gtest.h>

#include <QLabel>
#include <QComboBox>
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/chat/chat_feature.h"
#include "app/radio/music_box.h"
#include "app/radio/radio_control.h"
#include "app/radio/radio_feature.h"
#include "app/tform1.h"
#include "app/window_parts.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "core/settings/settings_file.h"
#include "core/sound/wave_file.h"
#include "core/text/atomic_file.h"
#include "dialogs/message_window.h"
#include "dialogs/radio_dialog.h"
#include "local_http_server.h"

namespace orvala::app {
namespace {

QByteArray shortWave() {
    std::vector<std::int16_t> samples(4410, 0);
    const std::string bytes = writeWave(samples, 22050);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

// A program folder inside a fresh shared folder, with the radio library (or not) and the disk
// list (or not) in the shared folder.
struct Home {
    QTemporaryDir dir;
    QString program() const { return QDir(dir.path()).filePath("Orvala"); }
    QString shared(const QString& file) const { return QDir(dir.path()).filePath(file); }
    Home(bool library, const QByteArray& diskList) {
        QDir(dir.path()).mkpath("Orvala");
        if (library)
            QFile::copy(QDir(ORVALA_LIBRARY_DIR).filePath("ZorRadio02.dll"),
                        shared("ZorRadio02.dll"));
        if (!diskList.isEmpty())
            writeFileAtomically(shared("ZorRadio.rad").toStdString(), diskList.toStdString());
    }
};

QUrl closedService() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return QUrl(QString("http://127.0.0.1:%1").arg(s.serverPort()));  // closed when s goes
}

bool waitReady(RadioControl& radio) {
    return QTest::qWaitFor([&] { return radio.initialised(); }, 10000);
}

TEST(Radio, ServiceDownOrLibraryMissingLeavesItUnavailableAndOff) {
    const QByteArray list = "RUS#VGTRK01#R#Russian Federation#http://127.0.0.1:9/s#L\r\n";
    {  // the list is to come from the service, which is down: the disk's list does not count
        Home home(true, list);
        writeRadioIni(home.shared("ZorRadio.ini").toStdString(),
                      RadioState{"R", "http://127.0.0.1:9/s", "Russian Federation", "L", true});
        int made = 0;
        RadioControl radio(home.program(), [&] {
            ++made;
            return sound::makeMediaStream({});
        });
        radio.InitRadio(true, closedService());
        EXPECT_FALSE(radio.initialised());  // the window is not held up by the fetch
        ASSERT_TRUE(waitReady(radio));
        EXPECT_FALSE(radio.available());
        EXPECT_FALSE(radio.state().RadioOn);
        EXPECT_EQ(radio.state().StationName, "R");  // the rest of the file was read
        radio.ToggleRadio();
        EXPECT_FALSE(radio.startIfOn());
        EXPECT_EQ(made, 0);
    }
    {  // the disk's list, but no library
        Home home(false, list);
        RadioControl radio(home.program(), [] { return sound::makeMediaStream({}); });
        radio.InitRadio(false, closedService());
        ASSERT_TRUE(radio.initialised());
        EXPECT_FALSE(radio.available());
        EXPECT_EQ(radio.stations().size(), 1u);
    }
    {  // both on the disk
        Home home(true, list);
        RadioControl radio(home.program(), [] { return sound::makeMediaStream({}); });
        radio.InitRadio(false, closedService());
        EXPECT_TRUE(radio.available());
    }
}

TEST(Radio, PlaysTheServicesStationsAndRemembersTheChoice) {
    sound::test::LocalHttpServer service;
    service.serve("/radio/tone.wav", "audio/x-wav", shortWave());
    service.serve("/radio/other.wav", "audio/x-wav", shortWave());
    const QByteArray list = "# stations\r\nRUS#LOCAL01#Tone#Russian Federation#" +
                            service.url("/radio/tone.wav").toLatin1() +
                            "#RRADIO_LOGO_MAYAK\r\nDE0#LOCAL02#Other#Germany#" +
                            service.url("/radio/other.wav").toLatin1() + "\r\n";
    service.serve("/radio/ZorRadio.ser", "text/plain", list);

    Home home(true, {});
    RadioState last{"Tone",
                    service.url("/radio/tone.wav").toStdString(),
                    "Russian Federation",
                    "RRADIO_LOGO_MAYAK",
                    true,
                    90};
    writeRadioIni(home.shared("ZorRadio.ini").toStdString(), last);

    QStringList log;
    RadioControl radio(home.program(),
                       [&] { return sound::makeMediaStream([&](const QString& u) { log << u; }); });
    radio.InitRadio(true, QUrl(service.url("")));
    ASSERT_TRUE(waitReady(radio));
    ASSERT_TRUE(radio.available());
    ASSERT_EQ(radio.stations().size(), 2u);
    std::string kept;
    ASSERT_TRUE(readFileBytes(home.shared("ZorRadio.ser").toStdString(), kept));
    EXPECT_EQ(kept, list.toStdString());

    // On at the last exit: the start of the main menu plays it.
    ASSERT_TRUE(radio.startIfOn());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !log.isEmpty(); }, 10000));
    EXPECT_EQ(log.first(), service.url("/radio/tone.wav"));

    radio.changeVolume(+1);
    EXPECT_EQ(radio.state().RadioVolume, 100);
    radio.changeVolume(+1);
    EXPECT_EQ(radio.state().RadioVolume, 100);

    radio.chooseCountry(16);
    radio.chooseStation("LOCAL02");
    EXPECT_EQ(radio.state().StationName, "Other");
    EXPECT_EQ(radio.state().StationLogo, kDefaultStationLogo);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.size() == 2; }, 10000));
    EXPECT_EQ(log.last(), service.url("/radio/other.wav"));

    radio.ToggleRadio();  // off
    EXPECT_FALSE(radio.state().RadioOn);
    ASSERT_TRUE(radio.saveState());
    const RadioState saved = readRadioIni(home.shared("ZorRadio.ini").toStdString());
    EXPECT_EQ(saved, radio.state());
    EXPECT_EQ(saved.CountryFilter, 16);
}

LaunchOptions fastIn(const Home& home) {
    LaunchOptions o;
    o.programFolder = home.program();
    o.fast = true;
    o.musicFolder = home.dir.path();
    return o;
}

TEST(RadioWindow, WithoutTheLibraryTheIconAndTheMenuSayWhatIsMissing) {
    Home home(false, "RUS#VGTRK01#R#Russian Federation#http://127.0.0.1:9/s\r\n");
    Settings s;
    s.RadioListFromServer = false;
    ASSERT_EQ(SaveSettings(home.program().toStdString(), s), SettingsSaveResult::Written);
    TForm1 w(fastIn(home));
    RadioFeature* feature = w.feature<RadioFeature>();
    ASSERT_NE(feature, nullptr);
    ASSERT_TRUE(feature->RadioIcon);
    EXPECT_FALSE(feature->radio().available());
    QTest::mouseClick(feature->RadioIcon, Qt::LeftButton);
    auto* message = w.findChild<dialogs::MessageWindow*>();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->lines().join(""), "Can`t find ZorRadio.rad + ZorRadio02.dll");
    EXPECT_FALSE(w.findChild<dialogs::TFormRadio*>());
}

TEST(RadioWindow, TheRadioWindowChoosesAndTheChoiceIsKeptAtTheEnd) {
    std::string shipped;
    ASSERT_TRUE(readFileBytes(ORVALA_SHIPPED_STATIONS, shipped));
    Home home(true, QByteArray::fromStdString(shipped));
    Settings s;
    s.RadioListFromServer = false;
    ASSERT_EQ(SaveSettings(home.program().toStdString(), s), SettingsSaveResult::Written);
    {
        TForm1 w(fastIn(home));
        RadioFeature* feature = w.feature<RadioFeature>();
        ASSERT_NE(feature, nullptr);
        ASSERT_TRUE(feature->radio().available());
        EXPECT_EQ(feature->RadioIcon->toolTip(), "Zor Internet-Radio: Radio Mayak");
        emit feature->RadioIcon->customContextMenuRequested({});
        auto* radio = w.findChild<dialogs::TFormRadio*>();
        ASSERT_TRUE(radio);
        EXPECT_EQ(radio->ComboBox1->currentIndex(), 0);
        EXPECT_EQ(radio->ComboBox2->currentText(), "Radio Mayak");
        radio->ComboBox1->setCurrentIndex(radio->ComboBox1->findText("Germany"));
        EXPECT_EQ(radio->ComboBox2->count(), 3);
        EXPECT_EQ(radio->ComboBox2->itemText(0), "Deutschlandfunk");
        emit radio->ComboBox2->activated(1);
        EXPECT_EQ(feature->radio().state().StationName, "Deutschlandfunk Kultur");
        EXPECT_EQ(feature->RadioIcon->toolTip(), "Zor Internet-Radio: Deutschlandfunk Kultur");
        for (int i = 0; i < 3; ++i) QTest::mouseClick(radio->ButtonMinus, Qt::LeftButton);
        EXPECT_EQ(feature->radio().state().RadioVolume, 0);
        QTest::mouseClick(radio->ButtonPlus, Qt::LeftButton);
        EXPECT_EQ(feature->radio().state().RadioVolume, 10);
        EXPECT_FALSE(radio->Volume->pixmap().isNull());
        EXPECT_FALSE(radio->Logo->pixmap().isNull());
    }
    const RadioState kept = readRadioIni(home.shared("ZorRadio.ini").toStdString());
    EXPECT_EQ(kept.StationName, "Deutschlandfunk Kultur");
    EXPECT_EQ(kept.CountryFilter, 16);
    EXPECT_EQ(kept.RadioVolume, 10);
    EXPECT_FALSE(kept.RadioOn);
}

// The country list holds only countries with stations, each by its name: the shipped list gives
// every country it lists a station, and a list from elsewhere that lacks some leaves them out,
// also when the remembered country is one of them.
TEST(RadioWindow, TheCountryListShowsOnlyCountriesWithStationsByName) {
    std::string shipped;
    ASSERT_TRUE(readFileBytes(ORVALA_SHIPPED_STATIONS, shipped));
    const auto& codes = radioCountryCodes();
    {
        dialogs::TFormRadio radio({RadioState{}, readStationList(shipped).stations, {}});
        ASSERT_GT(radio.ComboBox1->count(), 20);
        for (int i = 0; i < radio.ComboBox1->count(); ++i) {
            radio.ComboBox1->setCurrentIndex(i);
            const QString name = radio.ComboBox1->itemText(i);
            EXPECT_GT(radio.ComboBox2->count(), 0) << name.toStdString();
            EXPECT_EQ(std::find(codes.begin(), codes.end(), name.toStdString()), codes.end())
                << "a bare code: " << name.toStdString();
        }
    }
    const std::string two = "RUS#A000001#Mayak#Russian Federation#http://127.0.0.1:9/a\r\n"
                            "DE0#B000001#Dlf#Germany#http://127.0.0.1:9/b\r\n";
    RadioState state;
    state.CountryFilter = 3;  // "MOL", which this list has no station for
    dialogs::TFormRadio radio({state, readStationList(two).stations, {}});
    ASSERT_EQ(radio.ComboBox1->count(), 2);
    EXPECT_EQ(radio.ComboBox1->itemText(0), "Russian Federation");
    EXPECT_EQ(radio.ComboBox1->itemText(1), "Germany");
    EXPECT_EQ(radio.ComboBox1->currentIndex(), 0);
    EXPECT_EQ(radio.ComboBox2->itemText(0), "Mayak");
    QSignalSpy chosen(&radio, &dialogs::TFormRadio::countryChosen);
    radio.ComboBox1->setCurrentIndex(1);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(codes[size_t(chosen[0][0].toInt())], "DE0");
    EXPECT_EQ(radio.ComboBox2->itemText(0), "Dlf");
}

// At the largest window the picture keys are twice their first size, and so are their pictures:
// a key never shows a picture smaller than itself.
TEST(RadioWindow, ThePictureKeysGrowWithTheWindow) {
    std::string shipped;
    ASSERT_TRUE(readFileBytes(ORVALA_SHIPPED_STATIONS, shipped));
    Home home(true, QByteArray::fromStdString(shipped));
    Settings s;
    s.RadioListFromServer = false;
    s.WindowSize = 5;
    ASSERT_EQ(SaveSettings(home.program().toStdString(), s), SettingsSaveResult::Written);
    TForm1 w(fastIn(home));
    w.applyWindowSize();
    ASSERT_GE(w.view().scale(), 2.0) << "the test screen holds the largest window";
    auto* radio = w.feature<RadioFeature>();
    auto* chat = w.feature<ChatFeature>();
    ASSERT_TRUE(radio && chat);
    for (QToolButton* key : {radio->RadioIcon, radio->MPPlay, radio->MPNext, chat->ImageNews,
                             chat->ImageChat, w.menu().keys.TitleColour}) {
        EXPECT_GE(key->width(), 56) << key->objectName().toStdString();
        EXPECT_EQ(key->iconSize(), key->size()) << key->objectName().toStdString();
        EXPECT_EQ(key->icon().actualSize(key->iconSize()), key->size())
            << key->objectName().toStdString();
    }
}

// The radio on at the last exit plays from the main menu in place of the tune, and the sound
// log shows its stream starting; the player's volume key turns by 5 in its two zones.
TEST(RadioWindow, RadioOnAtTheLastExitReplacesTheTuneAndThePlayerKeysWork) {
    sound::test::LocalHttpServer service;
    service.serve("/radio/tone.wav", "audio/x-wav", shortWave());
    Home home(true, "RUS#LOCAL01#Tone#Russian Federation#" +
                        service.url("/radio/tone.wav").toLatin1() + "\r\n");
    Settings s;
    s.RadioListFromServer = false;
    s.MusicOn = true;
    ASSERT_EQ(SaveSettings(home.program().toStdString(), s), SettingsSaveResult::Written);
    writeRadioIni(home.shared("ZorRadio.ini").toStdString(),
                  RadioState{"Tone", service.url("/radio/tone.wav").toStdString(),
                             "Russian Federation", "RRADIO_LOGO_MAYAK", true, 50});
    LaunchOptions o = fastIn(home);
    o.soundLog = home.shared("sounds.log");
    TForm1 w(o);
    RadioFeature* feature = w.feature<RadioFeature>();
    ASSERT_NE(feature, nullptr);
    EXPECT_TRUE(w.settings().MusicOn);
    w.leaveTitle();
    EXPECT_FALSE(w.settings().MusicOn);
    const QString line = "Stream " + service.url("/radio/tone.wav") + " async";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QFile f(o.soundLog);
            return f.open(QIODevice::ReadOnly) && QString::fromUtf8(f.readAll()).contains(line);
        },
        10000));

    ASSERT_TRUE(feature->MPVolume);
    EXPECT_EQ(feature->musicBox().volume(), 50);
    const int h = feature->MPVolume->height();
    QTest::mouseClick(feature->MPVolume, Qt::LeftButton, {}, QPoint(5, h - 2));
    EXPECT_EQ(feature->musicBox().volume(), 55);
    QTest::mouseClick(feature->MPVolume, Qt::LeftButton, {}, QPoint(5, 2));
    QTest::mouseClick(feature->MPVolume, Qt::LeftButton, {}, QPoint(5, 2));
    EXPECT_EQ(feature->musicBox().volume(), 45);
    EXPECT_FALSE(feature->MPPlay->icon().isNull());
}

}  // namespace
}  // namespace orvala::app

namespace orvala::app {
namespace {

// The music player against the test's service: the playlist's tracks in the order the random
// source gives, the next one at the end of a track, the volume within 0..100.
TEST(MusicBox, PlaysTheServicesTracksAndMovesOnAtTheEnd) {
    sound::test::LocalHttpServer service;
    service.serve("/radio/playlist.txt", "text/plain",
                  "First_Tune~first.wav\r\nbroken line\r\nSecond_Tune~second.wav\r\n");
    service.serve("/music/first.wav", "audio/x-wav", shortWave());
    service.serve("/music/second.wav", "audio/x-wav", shortWave());
    QStringList log;
    std::vector<int> picks = {1, 0, 0};  // the second first, then the first twice
    size_t at = 0;
    MusicBox box([&] { return sound::makeMediaStream([&](const QString& u) { log << u; }); },
                 [&](int n) { return picks[std::min(at++, picks.size() - 1)] % n; });
    box.loadPlaylist(QUrl(service.url("")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box.tracks().empty(); }, 10000));
    ASSERT_EQ(box.tracks().size(), 2u);
    EXPECT_EQ(box.hint(), "Second Tune  :  second.wav");
    EXPECT_FALSE(box.playing());
    EXPECT_EQ(box.volume(), 50);

    box.togglePlay();
    // The second track plays to its end, the first follows, and then not the first again.
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.size() >= 3; }, 20000)) << log.size();
    EXPECT_EQ(log[0], service.url("/music/second.wav"));
    EXPECT_EQ(log[1], service.url("/music/first.wav"));
    EXPECT_EQ(log[2], service.url("/music/second.wav"));
    box.togglePlay();
    EXPECT_FALSE(box.playing());

    for (int i = 0; i < 12; ++i) box.volumeClick(40);
    EXPECT_EQ(box.volume(), 100);
    box.volumeClick(30);  // between the zones: nothing
    EXPECT_EQ(box.volume(), 100);
    for (int i = 0; i < 25; ++i) box.volumeClick(3);
    EXPECT_EQ(box.volume(), 0);
}

TEST(MusicBox, WithoutTheServiceTheButtonsDoNothing) {
    int made = 0;
    MusicBox box(
        [&] {
            ++made;
            return sound::makeMediaStream({});
        },
        [](int) { return 0; });
    box.loadPlaylist(closedService());
    QSignalSpy changed(&box, &MusicBox::changed);
    ASSERT_TRUE(changed.wait(10000));
    EXPECT_TRUE(box.tracks().empty());
    box.togglePlay();
    box.next();
    EXPECT_FALSE(box.playing());
    EXPECT_TRUE(box.hint().isEmpty());
    EXPECT_EQ(made, 0);
}

}  // namespace
}  // namespace orvala::app
