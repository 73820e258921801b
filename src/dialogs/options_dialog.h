#pragma once
// TFormOptions, the options dialog: 500 x 400, nine pages (General, Cards, Decks, Game, Fonts,
// BG, Save games, DLL, Design), wider when the page names of a language need it. Every control
// writes its settings field the moment it changes and says so by `changed`; the main window applies
// the change at once and, where a library is missing, writes the fallback back into the settings,
// which the dialog then shows again. There is no cancel: "Ok" and Esc close. The page last shown
// comes back at the next opening.
//
// What lies outside the dialog is asked for by signals: the speed dialog, the passport window,
// and the download of a library (the window downloads and then calls refreshLibraries()).

#include <QRect>
#include <QSize>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

#include "core/settings/settings.h"
#include "dialogs/dialog_kit.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace orvala::table {
class PictureStore;
}

namespace orvala::dialogs {

class RadioGroup;

// What a change touched, so that the window applies just that.
enum class OptionChange {
    Sound,
    Music,
    GifAnimation,
    FlyingCards,
    Cursor,
    NewButtons,
    Network,
    WindowSize,
    Language,
    CardFaces,
    DeckBacks,
    Rules,
    Fonts,
    Background,
    SaveGames,
    RadioSource,
    MenuDesign,
    TableDesign,
    AuxDesign,
    Salute,
    ServiceAddress,
};

struct OptionsContext {
    QSize screen;  // the screen's size: the window sizes it cannot hold are not offered
    QStringList libraryFolders;  // where libraries are: a download button is enabled while its
                                 // file is in none of them
    bool passport = false;       // whether the passport window exists
    QString localService;        // the local service's address, shown while none is set
    QString serviceOverride;     // what $ORVALA_SERVICE sets instead, if anything
};

// A download button: its component name, caption and library file.
struct DownloadButton {
    const char* name;
    const char* caption;
    const char* file;
};

class TFormOptions final : public AuxDialog {
    Q_OBJECT
  public:
    TFormOptions(Settings& settings, OptionsContext context, const table::PictureStore& pictures,
                 QWidget* parent = nullptr);

    // Every control from the settings, without writing anything back.
    void refresh();
    // The download buttons' and the salute boxes' enabling from the files present.
    void refreshLibraries();
    // The captions in the current language.
    void applyLanguage();

    QTabWidget* PageControl1 = nullptr;
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"
    // General
    QCheckBox *CheckBox1 = nullptr, *CheckBox2 = nullptr, *CheckBox3 = nullptr,
              *CheckBox4 = nullptr, *CheckBoxCur = nullptr, *CheckBoxBut = nullptr,
              *CheckBoxNet = nullptr;
    table::TZorCardsButton *Button3 = nullptr, *Button4 = nullptr;  // "Speed", "Passport"
    QComboBox *ComboBoxWSize = nullptr, *ComboBoxLan = nullptr;
    // Cards and decks
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    QLabel* Image1 = nullptr;  // the four-card preview
    RadioGroup* RadioGroup2 = nullptr;
    // Game
    QCheckBox *CheckBox5 = nullptr, *CheckBox6 = nullptr, *CheckBox7 = nullptr,
              *CheckBox8 = nullptr, *CheckBox9 = nullptr;
    RadioGroup* RadioGroup4 = nullptr;
    // Fonts
    QComboBox *ComboBoxFont = nullptr, *FontComboBox1 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    table::TZorCardsButton* Button2 = nullptr;  // "Default"
    // BG
    QComboBox *ComboBoxBG1 = nullptr, *ComboBoxBG2 = nullptr;
    // Save games
    QCheckBox* CheckBoxSG1 = nullptr;
    QComboBox* ComboBoxSG1 = nullptr;
    QSpinBox* SpinEditSG1 = nullptr;
    // DLL
    RadioGroup* RGRadio = nullptr;
    QLineEdit* EditService = nullptr;  // the web service's address; empty: the local service
    // Design
    QComboBox *ComboBoxD1 = nullptr, *ComboBoxD2 = nullptr, *ComboBoxD3 = nullptr;
    QCheckBox *CheckBoxD1 = nullptr, *CheckBoxD2 = nullptr;
    // Every download button of every page.
    std::vector<std::pair<table::TZorCardsButton*, QString>> downloads;

  signals:
    void changed(OptionChange what);
    void speedAsked();
    void passportAsked();
    void downloadAsked(const QString& file);

  protected:
    void done(int result) override;

  private:
    void buildGeneral();
    void buildCards();
    void buildDecks();
    void buildGame();
    void buildFonts();
    void buildBackground();
    void buildSaveGames();
    void buildLibraries();
    void buildDesign();
    QWidget* page(const char* name);
    table::TZorCardsButton* downloadButton(QWidget* page, const DownloadButton& b, QRect where);
    // Writes a field, tells the window, shows what the settings now hold.
    template <typename Write>
    void edit(OptionChange what, Write write);
    void showFontSlot();
    void showPreview();
    void showBackModification();
    void colourPages();
    void showService();
    void markService();  // a refused address in red
    // The dialog as wide as its page names need (never narrower than 500).
    void fitTabs();
    // A label whose text is `row` in the language of the moment.
    QLabel* caption(QWidget* parent, WordRow row, QRect where);

    Settings& settings_;
    OptionsContext context_;
    const table::PictureStore& pictures_;
    bool filling_ = false;         // controls are being set from the settings
    bool serviceRefused_ = false;  // the address typed is not one: it stays, marked, unsaved
    std::array<QWidget*, 9> pages_{};
    std::vector<std::pair<QLabel*, WordRow>> captions_;  // follow the language
};

}  // namespace orvala::dialogs
