// The options dialog on its own: each control writes its setting at once and says what changed,
// the groups' enabling rules, the screen's window sizes, the fonts' "Default", the download
// buttons' enabling and the page that comes back.

#include "dialogs/options_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "core/lang/language.h"
#include "core/lang/word_table.h"
#include "dialogs/radio_group.h"
#include "table/picture_store.h"

namespace orvala::dialogs {
namespace {

struct Fixture {
    Settings settings;
    table::PictureStore pictures{QStringList{"/nonexistent"}};
    QTemporaryDir folder;
    std::vector<OptionChange> changes;
    QPointer<TFormOptions> dialog;

    explicit Fixture(QSize screen = {1920, 1080}) {
        OptionsContext context;
        context.screen = screen;
        context.libraryFolders = {folder.path()};
        dialog = new TFormOptions(settings, context, pictures);
        QObject::connect(dialog, &TFormOptions::changed,
                         [this](OptionChange c) { changes.push_back(c); });
        dialog->open();
    }
    ~Fixture() {
        if (dialog) dialog->close();
    }
    void pick(QComboBox* box, int index) { box->setCurrentIndex(index); }
};

TEST(OptionsDialog, ControlsWriteTheirSettingsAtOnceAndTellWhatChanged) {
    Fixture f;
    ASSERT_EQ(f.dialog->size(), QSize(500, 400));
    EXPECT_EQ(f.dialog->PageControl1->count(), 9);
    f.dialog->CheckBox1->click();
    EXPECT_FALSE(f.settings.SoundOn);
    f.dialog->CheckBox9->click();
    EXPECT_FALSE(f.settings.Rules.RulePainting);
    f.pick(f.dialog->ComboBox1, 5);
    EXPECT_EQ(f.settings.CardFaceSet, 5);
    f.pick(f.dialog->ComboBoxBG1, 4);
    f.pick(f.dialog->ComboBoxBG2, 6);
    EXPECT_EQ(f.settings.BackgroundTexture, 5);
    EXPECT_EQ(f.settings.BackgroundColour, 6);
    f.dialog->RGRadio->item(1)->click();
    EXPECT_FALSE(f.settings.RadioListFromServer);
    f.pick(f.dialog->ComboBoxD3, 3);
    EXPECT_TRUE(f.settings.AuxDesignPurple);
    f.pick(f.dialog->ComboBoxD3, 1);
    EXPECT_FALSE(f.settings.AuxDesignPurple);
    EXPECT_EQ(f.settings.AuxDesignGrey, 1);
    const std::vector<OptionChange> expected = {OptionChange::Sound,      OptionChange::Rules,
                                                OptionChange::CardFaces,  OptionChange::Background,
                                                OptionChange::Background, OptionChange::RadioSource,
                                                OptionChange::AuxDesign,  OptionChange::AuxDesign};
    EXPECT_EQ(f.changes, expected);
}

TEST(OptionsDialog, TheBoltGroupTheBackModificationAndTheRecordingFollowTheirRules) {
    Fixture f;
    // The penalty mode survives bolts being switched off and on.
    f.dialog->RadioGroup4->item(2)->click();
    EXPECT_EQ(f.settings.Rules.RuleBoltPenaltyMode, 3);
    f.dialog->CheckBox6->click();
    EXPECT_FALSE(f.settings.Rules.RuleBolts);
    EXPECT_FALSE(f.dialog->RadioGroup4->isEnabled());
    EXPECT_EQ(f.settings.Rules.RuleBoltPenaltyMode, 3);
    f.dialog->CheckBox6->click();
    EXPECT_TRUE(f.dialog->RadioGroup4->isEnabled());
    EXPECT_EQ(f.dialog->RadioGroup4->itemIndex(), 2);

    // Back set 9 is random; set 2 afterwards changes by the day.
    f.pick(f.dialog->ComboBox2, 9);
    EXPECT_EQ(f.dialog->RadioGroup2->itemIndex(), 2);
    EXPECT_FALSE(f.dialog->RadioGroup2->item(0)->isEnabled());
    EXPECT_FALSE(f.dialog->RadioGroup2->item(1)->isEnabled());
    f.pick(f.dialog->ComboBox2, 2);
    EXPECT_EQ(f.dialog->RadioGroup2->itemIndex(), 0);
    EXPECT_FALSE(f.dialog->RadioGroup2->item(2)->isEnabled());
    EXPECT_FALSE(f.settings.DeckBackFixed);
    f.dialog->RadioGroup2->item(1)->click();
    EXPECT_TRUE(f.settings.DeckBackFixed);

    // Recording is offered in the small window only, keeping its value in the others.
    f.dialog->CheckBoxSG1->click();
    EXPECT_TRUE(f.settings.SaveGamesAsGif);
    EXPECT_TRUE(f.dialog->SpinEditSG1->isEnabled());
    f.pick(f.dialog->ComboBoxWSize, 2);
    EXPECT_EQ(f.settings.WindowSize, 3);
    EXPECT_FALSE(f.dialog->CheckBoxSG1->isEnabled());
    EXPECT_TRUE(f.settings.SaveGamesAsGif);
    EXPECT_TRUE(f.dialog->CheckBoxSG1->isChecked());
}

TEST(OptionsDialog, AScreenOffersOnlyTheSizesItHoldsAndDefaultRestoresEveryFont) {
    Fixture small({1280, 1024});
    EXPECT_EQ(small.dialog->ComboBoxWSize->count(), 3);
    small.settings.WindowSize = 4;
    small.dialog->refresh();
    EXPECT_EQ(small.dialog->ComboBoxWSize->currentIndex(), -1);

    Fixture f;
    EXPECT_EQ(f.dialog->ComboBoxWSize->count(), 5);
    f.pick(f.dialog->ComboBoxFont, 2);
    f.dialog->FontComboBox1->setCurrentIndex(f.dialog->FontComboBox1->findText("DejaVu Sans"));
    emit f.dialog->FontComboBox1->textActivated("DejaVu Sans");
    f.dialog->SpinEdit1->setValue(150);
    EXPECT_EQ(f.settings.FontName[2], "DejaVu Sans");
    EXPECT_EQ(f.settings.FontScale[2], 150);
    f.settings.FontScale[0] = 120;
    f.dialog->Button2->click();
    EXPECT_EQ(f.settings.FontName, Settings{}.FontName);
    EXPECT_EQ(f.settings.FontScale, Settings{}.FontScale);
    EXPECT_EQ(f.dialog->SpinEdit1->value(), 100);
}

TEST(OptionsDialog, DownloadButtonsFollowTheFilesAndThePageComesBack) {
    Fixture f;
    // Nothing is there: every download is offered, and there is no salute without the design
    // library.
    for (auto& [button, file] : f.dialog->downloads) EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(f.dialog->CheckBoxD1->isEnabled());
    EXPECT_FALSE(f.dialog->CheckBoxD1->isChecked());
    EXPECT_FALSE(f.settings.SaluteOnButtons);
    QFile lib(QDir(f.folder.path()).filePath("ZorCards06A.dll"));
    ASSERT_TRUE(lib.open(QIODevice::WriteOnly));
    lib.close();
    QString asked;
    QObject::connect(f.dialog, &TFormOptions::downloadAsked, [&](const QString& s) { asked = s; });
    f.dialog->findChild<table::TZorCardsButton*>("ButtonDLL8")->click();
    EXPECT_EQ(asked, "ZorCVoice3.dll");
    f.dialog->refreshLibraries();
    for (auto& [button, file] : f.dialog->downloads)
        EXPECT_EQ(button->isEnabled(), file != "ZorCards06A.dll") << file.toStdString();

    f.dialog->PageControl1->setCurrentIndex(4);
    f.dialog->Button1->click();
    EXPECT_TRUE(f.dialog.isNull() || !f.dialog->isVisible());
    Fixture again;
    EXPECT_EQ(again.dialog->PageControl1->currentIndex(), 4);
    again.dialog->PageControl1->setCurrentIndex(0);
    QTest::keyClick(again.dialog, Qt::Key_Escape);
}

// A change of language relabels "Ok" with the rest; in every language every page name shows whole
// (no scroll arrows) and the game page's groups hold their rows whole, one under another.
TEST(OptionsDialog, EveryLanguageShowsEveryPageNameAndWholeRows) {
    Fixture f;
    struct EnglishAfterwards {
        ~EnglishAfterwards() { setCurrentLanguage(0); }
    } english;
    // The window takes the language first; the dialog then captions itself in it.
    QObject::connect(f.dialog, &TFormOptions::changed, [&](OptionChange c) {
        if (c == OptionChange::Language) setCurrentLanguage(f.settings.LanguageIndex);
    });
    f.dialog->PageControl1->setCurrentIndex(3);  // "Game"
    const QTabBar* bar = f.dialog->PageControl1->tabBar();
    const auto* minor = f.dialog->findChild<QGroupBox*>("GroupBox3");
    ASSERT_NE(minor, nullptr);
    for (int language : {1, 8, 2, 4, 9, 5, 3, 6, 7, 0}) {
        f.pick(f.dialog->ComboBoxLan, language);
        QCoreApplication::processEvents();
        EXPECT_EQ(f.dialog->Button1->text().toStdString(), Word(WordRow::Ok, language));
        EXPECT_EQ(f.dialog->PageControl1->tabText(7), "DLL");
        for (int k = 0; k < bar->count(); ++k)
            EXPECT_LE(bar->tabRect(k).right(), bar->width()) << "language " << language;
        EXPECT_LE(bar->geometry().right(), f.dialog->PageControl1->width());
        for (int i = 0; i < 3; ++i) {
            const QRadioButton* row = f.dialog->RadioGroup4->item(i);
            EXPECT_GE(row->height(), row->sizeHint().height()) << "language " << language;
            if (i < 2) {
                EXPECT_LT(row->geometry().bottom(),
                          f.dialog->RadioGroup4->item(i + 1)->geometry().top());
            }
        }
        for (const QCheckBox* box : {f.dialog->CheckBox8, f.dialog->CheckBox9}) {
            EXPECT_GE(box->height(), box->sizeHint().height());
            EXPECT_GE(box->y(), minor->fontMetrics().height());  // below the group's title
            EXPECT_LT(box->geometry().bottom(), minor->height() - 1);
        }
    }
    EXPECT_EQ(f.dialog->width(), 500);  // English needs no more
}

// The service's address: a web address is kept (without its closing slash), an empty field is the
// local service, and anything else stays in the field, marked, while the settings keep theirs.
TEST(OptionsDialog, TheServiceAddressIsKeptOnlyWhenItIsOne) {
    Fixture f;
    f.dialog->PageControl1->setCurrentIndex(7);  // "DLL"
    QLineEdit* edit = f.dialog->EditService;
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_TRUE(edit->placeholderText().startsWith(word(WordRow::LocalService)));
    QTest::keyClicks(edit, "http://10.0.0.5:8787/");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(f.settings.ServiceAddress, "http://10.0.0.5:8787");
    edit->clear();
    QTest::keyClicks(edit, "10.0.0.6");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(f.settings.ServiceAddress, "http://10.0.0.5:8787");
    EXPECT_EQ(edit->text(), "10.0.0.6");
    EXPECT_NE(edit->palette().color(QPalette::Text), QPalette().color(QPalette::Text));
    edit->clear();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(f.settings.ServiceAddress, "");
    const std::vector<OptionChange> expected = {OptionChange::ServiceAddress,
                                                OptionChange::ServiceAddress};
    EXPECT_EQ(f.changes, expected);
}

}  // namespace
}  // namespace orvala::dialogs
