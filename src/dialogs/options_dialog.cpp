#include "dialogs/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>

#include "core/lang/language.h"
#include "core/online/service_addresses.h"
#include "core/settings/option_rules.h"
#include "dialogs/options_icons.h"
#include "dialogs/radio_group.h"
#include "table/art_names.h"
#include "table/picture_names.h"
#include "table/picture_store.h"
#include "table/settings_text.h"

namespace orvala::dialogs {
namespace {

// The page last shown, for the life of the process.
int lastPage = 0;

constexpr WordRow kWindowSizes[5] = {WordRow::SmallWindow, WordRow::FullScreen,
                                     WordRow::AverageWindow1, WordRow::AverageWindow2,
                                     WordRow::LargeWindow};
constexpr WordRow kBackSets[13] = {
    WordRow::Classical1, WordRow::Medieval1, WordRow::Medieval2, WordRow::Carpet,  WordRow::Cross,
    WordRow::Chess,      WordRow::Diamond,   WordRow::Knightly,  WordRow::Animals, WordRow::Flowers,
    WordRow::Places,     WordRow::Other,     WordRow::Russian};
constexpr WordRow kTextures[10] = {
    WordRow::Sun,  WordRow::Felt,   WordRow::Gradient, WordRow::Cloth, WordRow::CarpetTexture,
    WordRow::Tree, WordRow::Casino, WordRow::Pattern,  WordRow::Silk,  WordRow::Ornament};
constexpr WordRow kColours[7] = {WordRow::Green,  WordRow::Red,       WordRow::Orang,
                                 WordRow::Yellow, WordRow::LightBlue, WordRow::DarkBlue,
                                 WordRow::Violet};

constexpr DownloadButton kCardsDownloads[3] = {{"ButtonDLLCardsA_1", "06A", "ZorCards06A.dll"},
                                               {"ButtonDLLCardsB_1", "06B", "ZorCards06B.dll"},
                                               {"ButtonDLLCardsC_1", "06C", "ZorCards06C.dll"}};
constexpr DownloadButton kDecksDownload{"ButtonDLLCardsB_2", "06B", "ZorCards06B.dll"};
constexpr DownloadButton kBackgroundDownload{"ButtonDLLBackG_1", "BackG03", "ZorBackG03.dll"};
constexpr DownloadButton kDesignDownload{"ButtonDLLGraph_1", "CGraph1", "ZorCGraph1.dll"};
// The DLL page: one button per library, captioned with its name.
constexpr DownloadButton kLibraryDownloads[9] = {
    {"ButtonDLL1", "ZorCards06A", "ZorCards06A.dll"},
    {"ButtonDLL2", "ZorCards06B", "ZorCards06B.dll"},
    {"ButtonDLL3", "ZorCards06C", "ZorCards06C.dll"},
    {"ButtonDLL4", "ZorBackG03", "ZorBackG03.dll"},
    {"ButtonDLL5", "ZorCalendar01", "ZorCalendar01.dll"},
    {"ButtonDLL6", "ZorRadio.rad", "ZorRadio.rad"},
    {"ButtonDLL7", "ZorRadio02", "ZorRadio02.dll"},
    {"ButtonDLL8", "ZorCVoice3", "ZorCVoice3.dll"},
    {"ButtonDLL9", "ZorCGraph01", "ZorCGraph1.dll"}};

QString fromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QCheckBox* checkBox(QWidget* parent, const char* name, QRect where) {
    auto* c = new QCheckBox(parent);
    c->setObjectName(name);
    c->setGeometry(where);
    return c;
}

QComboBox* comboBox(QWidget* parent, const char* name, QRect where) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setGeometry(where);
    return c;
}

// Items replaced, the index kept by the caller's refresh.
void setItems(QComboBox* box, const QStringList& items) {
    const QSignalBlocker quiet(box);
    const int keep = box->currentIndex();
    const int keepCount = box->count();
    box->clear();
    box->addItems(items);
    if (keepCount == box->count()) box->setCurrentIndex(keep);
}

QStringList words(std::initializer_list<WordRow> rows) {
    QStringList out;
    for (WordRow r : rows) out << word(r);
    return out;
}

template <size_t N>
QStringList words(const WordRow (&rows)[N]) {
    QStringList out;
    for (WordRow r : rows) out << word(r);
    return out;
}

void setIndex(QComboBox* box, int index) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

void setChecked(QCheckBox* box, bool on) {
    const QSignalBlocker quiet(box);
    box->setChecked(on);
}

}  // namespace

TFormOptions::TFormOptions(Settings& settings, OptionsContext context,
                           const table::PictureStore& pictures, QWidget* parent)
    : AuxDialog(word(WordRow::Options), parent),
      settings_(settings),
      context_(std::move(context)),
      pictures_(pictures) {
    setObjectName("TFormOptions");
    setFixedSize(500, 400);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(8, 8, 484, 344);
    // Every page name whole: the dialog grows instead of the tabs scrolling (fitTabs).
    PageControl1->setUsesScrollButtons(false);
    PageControl1->setElideMode(Qt::ElideNone);
    buildGeneral();
    buildCards();
    buildDecks();
    buildGame();
    buildFonts();
    buildBackground();
    buildSaveGames();
    buildLibraries();
    buildDesign();
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(200, 360, 100, 30);
    colourPages();
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    applyLanguage();
    refresh();
    refreshLibraries();
    PageControl1->setCurrentIndex(lastPage);
}

void TFormOptions::done(int result) {
    lastPage = PageControl1->currentIndex();
    AuxDialog::done(result);
}

QWidget* TFormOptions::page(const char* name) {
    auto* w = new QWidget;
    w->setObjectName(name);
    // The page in the design's colour, its texts in the design's text colour.
    w->setAutoFillBackground(true);
    PageControl1->addTab(w, QString());
    pages_[static_cast<size_t>(PageControl1->count() - 1)] = w;
    return w;
}

table::TZorCardsButton* TFormOptions::downloadButton(QWidget* parent, const DownloadButton& d,
                                                     QRect where) {
    auto* b = dialogButton(QString::fromLatin1(d.caption), parent);
    b->setObjectName(d.name);
    b->setGeometry(where);
    const QString file = QString::fromLatin1(d.file);
    connect(b, &QPushButton::clicked, this, [this, file] { emit downloadAsked(file); });
    downloads.emplace_back(b, file);
    return b;
}

template <typename Write>
void TFormOptions::edit(OptionChange what, Write write) {
    if (filling_) return;
    write();
    emit changed(what);
    // The window may have written a fallback: show what the settings hold now.
    refresh();
}

void TFormOptions::buildGeneral() {
    QWidget* p = page("TabSheet1");
    auto* group = new QGroupBox(p);
    group->setObjectName("GroupBox1");
    group->setGeometry(8, 6, 220, 180);
    CheckBox1 = checkBox(group, "CheckBox1", {10, 22, 200, 22});
    CheckBox2 = checkBox(group, "CheckBox2", {10, 46, 200, 22});
    CheckBox3 = checkBox(group, "CheckBox3", {10, 70, 200, 22});
    CheckBox4 = checkBox(group, "CheckBox4", {10, 94, 200, 22});
    CheckBoxCur = checkBox(group, "CheckBoxCur", {10, 118, 200, 22});
    CheckBoxBut = checkBox(group, "CheckBoxBut", {10, 142, 200, 22});
    const auto flag = [this](QCheckBox* box, OptionChange what, bool Settings::*field) {
        connect(box, &QCheckBox::toggled, this,
                [=, this](bool on) { edit(what, [&] { settings_.*field = on; }); });
    };
    flag(CheckBox1, OptionChange::Sound, &Settings::SoundOn);
    flag(CheckBox2, OptionChange::Music, &Settings::MusicOn);
    flag(CheckBox3, OptionChange::GifAnimation, &Settings::GifAnimationOn);
    flag(CheckBox4, OptionChange::FlyingCards, &Settings::FlyingCardsOn);
    flag(CheckBoxCur, OptionChange::Cursor, &Settings::OwnCursorOn);
    flag(CheckBoxBut, OptionChange::NewButtons, &Settings::NewButtonsOn);

    Button3 = dialogButton(QString(), p);
    Button3->setObjectName("Button3");
    Button3->setGeometry(250, 12, 210, 30);
    connect(Button3, &QPushButton::clicked, this, &TFormOptions::speedAsked);
    Button4 = dialogButton(QString(), p);
    Button4->setObjectName("Button4");
    Button4->setGeometry(250, 50, 210, 30);
    Button4->setEnabled(context_.passport);
    connect(Button4, &QPushButton::clicked, this, &TFormOptions::passportAsked);
    CheckBoxNet = checkBox(p, "CheckBoxNet", {250, 92, 210, 22});
    flag(CheckBoxNet, OptionChange::Network, &Settings::NetworkMode);

    ComboBoxWSize = comboBox(p, "ComboBoxWSize", {250, 130, 210, 26});
    connect(ComboBoxWSize, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) edit(OptionChange::WindowSize, [&] { settings_.WindowSize = i + 1; });
    });
    ComboBoxLan = comboBox(p, "ComboBoxLan", {250, 170, 210, 30});
    ComboBoxLan->setIconSize(QSize(art::kFlagWidth, art::kFlagHeight));
    for (int language = 0; language < kLanguageCount; ++language)
        ComboBoxLan->addItem(flagIcon(pictures_, language), fromView(LanguageName(language)));
    connect(ComboBoxLan, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        edit(OptionChange::Language, [&] { settings_.LanguageIndex = i; });
        applyLanguage();
    });
}

void TFormOptions::buildCards() {
    QWidget* p = page("TabSheet2");
    ComboBox1 = comboBox(p, "ComboBox1", {10, 10, 300, 34});
    ComboBox1->setIconSize(QSize(faceIconSize()));
    const std::vector<QIcon> icons = faceSetIcons(pictures_);
    for (int set = 0; set <= kCardFaceSetMax; ++set)
        ComboBox1->addItem(icons[static_cast<size_t>(set)], QString());
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        edit(OptionChange::CardFaces, [&] { settings_.CardFaceSet = i; });
    });
    Image1 = new QLabel(p);
    Image1->setObjectName("Image1");
    Image1->setGeometry(10, 60, 300, 110);
    for (int k = 0; k < 3; ++k)
        downloadButton(p, kCardsDownloads[k], QRect(340, 10 + k * 40, 110, 30));
}

void TFormOptions::buildDecks() {
    QWidget* p = page("TabSheet3");
    ComboBox2 = comboBox(p, "ComboBox2", {10, 10, 300, 26});
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        edit(OptionChange::DeckBacks, [&] {
            settings_.DeckBackSet = i;
            // A set of one back per day leaves "Random" for the group's first item.
            if (backModification(i, settings_.DeckBackFixed).item != 2 &&
                RadioGroup2->itemIndex() == 2)
                settings_.DeckBackFixed = false;
        });
    });
    RadioGroup2 = new RadioGroup("RadioGroup2", 3, p);
    RadioGroup2->setGeometry(10, 50, 300, 100);
    connect(RadioGroup2, &RadioGroup::clicked, this, [this](int item) {
        edit(OptionChange::DeckBacks, [&] { settings_.DeckBackFixed = item == 1; });
    });
    downloadButton(p, kDecksDownload, QRect(340, 10, 110, 30));
}

void TFormOptions::buildGame() {
    QWidget* p = page("TabSheet4");
    auto* main = new QGroupBox(p);
    main->setObjectName("GroupBox2");
    // The groups are as tall as their rows of text need below their titles.
    main->setGeometry(8, 5, 460, 82);
    CheckBox5 = checkBox(main, "CheckBox5", {10, 24, 220, 26});
    CheckBox6 = checkBox(main, "CheckBox6", {10, 52, 220, 26});
    CheckBox7 = checkBox(main, "CheckBox7", {240, 24, 210, 26});
    RadioGroup4 = new RadioGroup("RadioGroup4", 3, p);
    RadioGroup4->setGeometry(8, 92, 460, 112);
    auto* minor = new QGroupBox(p);
    minor->setObjectName("GroupBox3");
    minor->setGeometry(8, 209, 460, 62);
    CheckBox8 = checkBox(minor, "CheckBox8", {10, 26, 220, 26});
    CheckBox9 = checkBox(minor, "CheckBox9", {240, 26, 210, 26});
    const auto rule = [this](QCheckBox* box, bool RuleSettings::*field) {
        connect(box, &QCheckBox::toggled, this, [=, this](bool on) {
            edit(OptionChange::Rules, [&] { settings_.Rules.*field = on; });
        });
    };
    rule(CheckBox5, &RuleSettings::RuleStartWith500);
    rule(CheckBox6, &RuleSettings::RuleBolts);
    rule(CheckBox7, &RuleSettings::RuleBarrel);
    rule(CheckBox8, &RuleSettings::RuleRoundToFive);
    rule(CheckBox9, &RuleSettings::RulePainting);
    connect(RadioGroup4, &RadioGroup::clicked, this, [this](int item) {
        edit(OptionChange::Rules, [&] { settings_.Rules.RuleBoltPenaltyMode = item + 1; });
    });
}

void TFormOptions::buildFonts() {
    QWidget* p = page("TabSheet5");
    ComboBoxFont = comboBox(p, "ComboBoxFont", {10, 10, 220, 26});
    connect(ComboBoxFont, &QComboBox::currentIndexChanged, this, [this] { showFontSlot(); });
    FontComboBox1 = comboBox(p, "FontComboBox1", {10, 50, 220, 26});
    QStringList families = QFontDatabase::families();
    for (const std::string& name : Settings{}.FontName)
        if (!families.contains(table::fromSettingsText(name)))
            families.prepend(table::fromSettingsText(name));
    families.removeDuplicates();
    FontComboBox1->addItems(families);
    connect(FontComboBox1, &QComboBox::textActivated, this, [this](const QString& family) {
        const int slot = std::max(0, ComboBoxFont->currentIndex());
        edit(OptionChange::Fonts, [&] {
            settings_.FontName[static_cast<size_t>(slot)] = table::toSettingsText(family);
        });
    });
    caption(p, WordRow::ScalePercent, {250, 50, 110, 26});
    SpinEdit1 = new QSpinBox(p);
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setRange(50, 200);
    SpinEdit1->setGeometry(370, 50, 80, 26);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this](int v) {
        const int slot = std::max(0, ComboBoxFont->currentIndex());
        edit(OptionChange::Fonts, [&] { settings_.FontScale[static_cast<size_t>(slot)] = v; });
    });
    Button2 = dialogButton(QString(), p);
    Button2->setObjectName("Button2");
    Button2->setGeometry(250, 10, 200, 30);
    connect(Button2, &QPushButton::clicked, this,
            [this] { edit(OptionChange::Fonts, [&] { restoreDefaultFonts(settings_); }); });
    QLabel* warning = caption(p, WordRow::FontsWarning, {10, 100, 440, 80});
    warning->setObjectName("Label1");
    warning->setWordWrap(true);
}

void TFormOptions::buildBackground() {
    QWidget* p = page("TabSheet6");
    auto* group = new QGroupBox(p);
    group->setObjectName("GroupBoxBG");
    group->setGeometry(8, 6, 300, 100);
    ComboBoxBG1 = comboBox(group, "ComboBoxBG1", {10, 24, 280, 26});
    ComboBoxBG2 = comboBox(group, "ComboBoxBG2", {10, 60, 280, 26});
    connect(ComboBoxBG1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) edit(OptionChange::Background, [&] { settings_.BackgroundTexture = i + 1; });
    });
    connect(ComboBoxBG2, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) edit(OptionChange::Background, [&] { settings_.BackgroundColour = i; });
    });
    downloadButton(p, kBackgroundDownload, QRect(340, 10, 110, 30));
}

void TFormOptions::buildSaveGames() {
    QWidget* p = page("TabSheet7");
    auto* group = new QGroupBox(p);
    group->setObjectName("GroupBoxSG");
    group->setGeometry(8, 6, 460, 140);
    CheckBoxSG1 = checkBox(group, "CheckBoxSG1", {10, 24, 400, 22});
    connect(CheckBoxSG1, &QCheckBox::toggled, this, [this](bool on) {
        edit(OptionChange::SaveGames, [&] { settings_.SaveGamesAsGif = on; });
    });
    ComboBoxSG1 = comboBox(group, "ComboBoxSG1", {10, 54, 400, 26});
    connect(ComboBoxSG1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) edit(OptionChange::SaveGames, [&] { settings_.GifCaptureMode = i + 1; });
    });
    caption(group, WordRow::DelayBetweenFrames, {10, 92, 280, 26});
    SpinEditSG1 = new QSpinBox(group);
    SpinEditSG1->setObjectName("SpinEditSG1");
    SpinEditSG1->setRange(10, 60000);
    SpinEditSG1->setSingleStep(100);
    SpinEditSG1->setGeometry(300, 92, 110, 26);
    connect(SpinEditSG1, &QSpinBox::valueChanged, this,
            [this](int v) { edit(OptionChange::SaveGames, [&] { settings_.GifFrameDelay = v; }); });
}

void TFormOptions::buildLibraries() {
    QWidget* p = page("TabSheet8");
    for (int k = 0; k < 9; ++k)
        downloadButton(p, kLibraryDownloads[k],
                       QRect(10 + (k % 3) * 152, 10 + (k / 3) * 40, 146, 30));
    RGRadio = new RadioGroup("RGRadio", 2, p);
    RGRadio->setGeometry(10, 140, 300, 70);
    connect(RGRadio, &RadioGroup::clicked, this, [this](int item) {
        edit(OptionChange::RadioSource, [&] { settings_.RadioListFromServer = item == 0; });
    });
    caption(p, WordRow::ServiceAddress, {10, 222, 440, 22});
    EditService = new QLineEdit(p);
    EditService->setObjectName("EditService");
    EditService->setGeometry(10, 246, 440, 26);
    EditService->setMaxLength(static_cast<int>(kServiceAddressMax));
    if (!context_.serviceOverride.isEmpty())
        EditService->setToolTip("ORVALA_SERVICE = " + context_.serviceOverride);
    connect(EditService, &QLineEdit::textEdited, this, [this] {
        serviceRefused_ = false;
        markService();
    });
    // Taken when the typing ends (Enter or leaving the field): empty means the local service,
    // and what is not a service's address is marked and not kept.
    connect(EditService, &QLineEdit::editingFinished, this, [this] {
        const std::string typed = EditService->text().trimmed().toStdString();
        const auto base = online::serviceBase(typed);
        serviceRefused_ = !typed.empty() && !base;
        if (serviceRefused_) return markService();
        const std::string address = base.value_or(std::string());
        if (address != settings_.ServiceAddress)
            edit(OptionChange::ServiceAddress, [&] { settings_.ServiceAddress = address; });
        else
            showService();
    });
}

void TFormOptions::showService() {
    // A refused address stays for the player to mend.
    if (!serviceRefused_) EditService->setText(table::fromSettingsText(settings_.ServiceAddress));
    markService();
}

void TFormOptions::markService() {
    QPalette pal;  // the application's
    if (serviceRefused_) pal.setColor(QPalette::Text, QColor(200, 0, 0));
    EditService->setPalette(pal);
}

QLabel* TFormOptions::caption(QWidget* parent, WordRow row, QRect where) {
    auto* label = new QLabel(parent);
    label->setGeometry(where);
    captions_.emplace_back(label, row);
    return label;
}

void TFormOptions::buildDesign() {
    QWidget* p = page("TabSheet9");
    const auto labelled = [&](const char* name, WordRow row, int y) {
        caption(p, row, {10, y, 200, 26});
        return comboBox(p, name, {220, y, 240, 26});
    };
    ComboBoxD1 = labelled("ComboBoxD1", WordRow::MainMenuDesign, 10);
    ComboBoxD2 = labelled("ComboBoxD2", WordRow::GameTableDesign, 44);
    ComboBoxD3 = labelled("ComboBoxD3", WordRow::AuxiliaryWindowDesign, 78);
    connect(ComboBoxD1, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) edit(OptionChange::MenuDesign, [&] { settings_.MainMenuDesign = i; });
    });
    connect(ComboBoxD2, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) edit(OptionChange::TableDesign, [&] { settings_.TableDesign = i; });
    });
    connect(ComboBoxD3, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        edit(OptionChange::AuxDesign, [&] { setAuxDesignItem(settings_, i); });
        // The dialog takes the new design at once.
        restyle();
        colourPages();
    });
    auto* salute = new QGroupBox(p);
    salute->setObjectName("GroupBoxSalute");
    salute->setGeometry(10, 120, 300, 80);
    CheckBoxD1 = checkBox(salute, "CheckBoxD1", {10, 22, 280, 22});
    CheckBoxD2 = checkBox(salute, "CheckBoxD2", {10, 48, 280, 22});
    connect(CheckBoxD1, &QCheckBox::toggled, this, [this](bool on) {
        edit(OptionChange::Salute, [&] { settings_.SaluteOnButtons = on; });
    });
    connect(CheckBoxD2, &QCheckBox::toggled, this,
            [this](bool on) { edit(OptionChange::Salute, [&] { settings_.SaluteOnCards = on; }); });
    downloadButton(p, kDesignDownload, QRect(340, 130, 110, 30));
}

void TFormOptions::colourPages() {
    for (QWidget* w : pages_) {
        if (w == nullptr) continue;
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window,
                     design() == AuxDesign::Purple ? QColor(96, 40, 124) : QColor(232, 230, 226));
        pal.setColor(QPalette::WindowText, dialogTextColour(design()));
        w->setPalette(pal);
    }
}

void TFormOptions::applyLanguage() {
    setWindowTitle(word(WordRow::Options));
    const QStringList tabs = {
        word(WordRow::General), word(WordRow::Cards), word(WordRow::Decks),     word(WordRow::Game),
        word(WordRow::Fonts),   word(WordRow::Bg),    word(WordRow::SaveGames), "DLL",
        word(WordRow::Design)};
    for (int k = 0; k < 9; ++k) PageControl1->setTabText(k, tabs[k]);
    findChild<QGroupBox*>("GroupBox1")->setTitle(word(WordRow::Multimedia));
    CheckBox1->setText(word(WordRow::Sound));
    CheckBox2->setText(word(WordRow::Music));
    CheckBox3->setText(word(WordRow::GifAnimation));
    CheckBox4->setText(word(WordRow::FlyCards));
    CheckBoxCur->setText(word(WordRow::RedMouseCursor));
    CheckBoxBut->setText(word(WordRow::NewButtons));
    Button4->setText(word(WordRow::Passport));
    CheckBoxNet->setText(word(WordRow::Multiplayer));
    QStringList sizes = words(kWindowSizes);
    const int offered = context_.screen.isEmpty()
                            ? 5
                            : windowSizeChoices(context_.screen.width(), context_.screen.height());
    sizes = sizes.mid(0, offered);
    setItems(ComboBoxWSize, sizes);

    QStringList faceSets;
    for (int set = 0; set <= kCardFaceSetMax; ++set)
        faceSets << word(static_cast<WordRow>(static_cast<int>(WordRow::Classical1) + set));
    for (int i = 0; i < ComboBox1->count(); ++i) ComboBox1->setItemText(i, faceSets[i]);
    setItems(ComboBox2, words(kBackSets));
    RadioGroup2->setCaptions(word(WordRow::Modification),
                             words({WordRow::ToChangeDecks, WordRow::AlwaysOne, WordRow::Random}));

    findChild<QGroupBox*>("GroupBox2")->setTitle(word(WordRow::Main));
    findChild<QGroupBox*>("GroupBox3")->setTitle(word(WordRow::Minor));
    CheckBox5->setText(word(WordRow::StartWith500Points));
    CheckBox6->setText(word(WordRow::Bolt));
    CheckBox7->setText(word(WordRow::SitOnTheBarrel));
    CheckBox8->setText(word(WordRow::RoundingPointsTo5th));
    CheckBox9->setText(word(WordRow::Painting));
    RadioGroup4->setCaptions(word(WordRow::Bolt), words({WordRow::PenaltyFor3ConsecutiveBolts,
                                                         WordRow::PenaltyForEach3rdBolt,
                                                         WordRow::PenaltyForEach5thBolt}));

    setItems(ComboBoxFont, {word(WordRow::LargeFont), word(WordRow::SmallFont),
                            word(WordRow::SpecialFont) + " 1", word(WordRow::SpecialFont) + " 2"});
    Button2->setText(word(WordRow::Default));

    findChild<QGroupBox*>("GroupBoxBG")->setTitle(word(WordRow::Background));
    setItems(ComboBoxBG1, words(kTextures));
    setItems(ComboBoxBG2, words(kColours));

    findChild<QGroupBox*>("GroupBoxSG")->setTitle(word(WordRow::SaveGames));
    CheckBoxSG1->setText(word(WordRow::SaveGamesAsGifs));
    setItems(ComboBoxSG1, words({WordRow::SaveMainWindowOnly, WordRow::SaveScreenContents}));
    RGRadio->setCaptions(word(WordRow::ReadingRadioList),
                         words({WordRow::FromTheServer, WordRow::FromDisk}));

    setItems(ComboBoxD1, words({WordRow::Customizable, WordRow::Purple}));
    setItems(ComboBoxD2, words({WordRow::Customizable, WordRow::Purple}));
    setItems(ComboBoxD3, words({WordRow::GrayAristocratic, WordRow::GrayConcise,
                                WordRow::GrayWithRedRibbons, WordRow::Purple}));
    findChild<QGroupBox*>("GroupBoxSalute")->setTitle(word(WordRow::Salute));
    CheckBoxD1->setText(word(WordRow::Buttons));
    CheckBoxD2->setText(word(WordRow::CardsSalute));
    for (const auto& [label, row] : captions_) label->setText(word(row));
    EditService->setPlaceholderText(word(WordRow::LocalService) + " (" + context_.localService +
                                    ")");
    Button1->setText(word(WordRow::Ok));
    fitTabs();
    refresh();
}

void TFormOptions::fitTabs() {
    // Without scroll arrows the page control's least width holds every page name whole.
    const int width = std::max(500, PageControl1->minimumSizeHint().width() + 16);
    if (width == this->width()) return;
    const QPoint centre = geometry().center();
    setFixedSize(width, 400);
    PageControl1->setGeometry(8, 8, width - 16, 344);
    Button1->setGeometry((width - 100) / 2, 360, 100, 30);
    // An open dialog grows about its centre, as it was placed over the main window.
    if (isVisible()) move(centre - rect().center());
}

void TFormOptions::refresh() {
    filling_ = true;
    const Settings& s = settings_;
    setChecked(CheckBox1, s.SoundOn);
    setChecked(CheckBox2, s.MusicOn);
    setChecked(CheckBox3, s.GifAnimationOn);
    setChecked(CheckBox4, s.FlyingCardsOn);
    setChecked(CheckBoxCur, s.OwnCursorOn);
    setChecked(CheckBoxBut, s.NewButtonsOn);
    setChecked(CheckBoxNet, s.NetworkMode);
    Button3->setText(word(WordRow::Speed) + " = " + QString::number(s.Speed));
    // A size the screen cannot hold shows no item.
    setIndex(ComboBoxWSize, s.WindowSize - 1);
    setIndex(ComboBoxLan, s.LanguageIndex);

    setIndex(ComboBox1, s.CardFaceSet);
    setIndex(ComboBox2, s.DeckBackSet);
    showBackModification();
    showPreview();

    setChecked(CheckBox5, s.Rules.RuleStartWith500);
    setChecked(CheckBox6, s.Rules.RuleBolts);
    setChecked(CheckBox7, s.Rules.RuleBarrel);
    setChecked(CheckBox8, s.Rules.RuleRoundToFive);
    setChecked(CheckBox9, s.Rules.RulePainting);
    RadioGroup4->setItemIndex(s.Rules.RuleBoltPenaltyMode - 1);
    // Without bolts the penalty group rests, keeping its mode for when they come back.
    RadioGroup4->setEnabled(s.Rules.RuleBolts);

    if (ComboBoxFont->currentIndex() < 0) setIndex(ComboBoxFont, 0);
    showFontSlot();

    setIndex(ComboBoxBG1, s.BackgroundTexture - 1);
    setIndex(ComboBoxBG2, s.BackgroundColour);
    const bool bothPurple = s.MainMenuDesign == 1 && s.TableDesign == 1;
    ComboBoxBG1->setEnabled(!bothPurple);
    ComboBoxBG2->setEnabled(!bothPurple && s.BackgroundTexture != 0);

    setChecked(CheckBoxSG1, s.SaveGamesAsGif);
    // Recording is offered in the small window only; the stored choice is kept meanwhile.
    CheckBoxSG1->setEnabled(s.WindowSize == 1);
    setIndex(ComboBoxSG1, s.GifCaptureMode - 1);
    {
        const QSignalBlocker quiet(SpinEditSG1);
        SpinEditSG1->setValue(s.GifFrameDelay);
    }
    ComboBoxSG1->setEnabled(s.SaveGamesAsGif);
    SpinEditSG1->setEnabled(s.SaveGamesAsGif);

    RGRadio->setItemIndex(s.RadioListFromServer ? 0 : 1);
    setIndex(ComboBoxD1, s.MainMenuDesign);
    setIndex(ComboBoxD2, s.TableDesign);
    setIndex(ComboBoxD3, auxDesignItem(s));
    setChecked(CheckBoxD1, s.SaluteOnButtons);
    setChecked(CheckBoxD2, s.SaluteOnCards);
    showService();
    filling_ = false;
}

void TFormOptions::showFontSlot() {
    const size_t slot = static_cast<size_t>(std::max(0, ComboBoxFont->currentIndex()));
    const QString name = table::fromSettingsText(settings_.FontName[slot]);
    {
        const QSignalBlocker quiet(FontComboBox1);
        if (FontComboBox1->findText(name) < 0) FontComboBox1->insertItem(0, name);
        FontComboBox1->setCurrentIndex(FontComboBox1->findText(name));
    }
    // A scale the spin edit cannot show is left as it is.
    const int scale = settings_.FontScale[slot];
    const QSignalBlocker quiet(SpinEdit1);
    if (scale >= SpinEdit1->minimum() && scale <= SpinEdit1->maximum()) SpinEdit1->setValue(scale);
}

void TFormOptions::showBackModification() {
    const BackModification m = backModification(settings_.DeckBackSet, settings_.DeckBackFixed);
    RadioGroup2->setItemIndex(m.item);
    for (int i = 0; i < 3; ++i) RadioGroup2->setItemEnabled(i, m.enabled[static_cast<size_t>(i)]);
}

void TFormOptions::showPreview() {
    // The jack, queen, king and ace of hearts as the table now shows them.
    constexpr int kRanks[4] = {2, 3, 4, 6};
    QImage strip(4 * 64 + 12, 94, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int k = 0; k < 4; ++k) {
        const QImage face = pictures_.FaceOf(makeCard(kRanks[k], 1));
        if (!face.isNull()) p.drawImage(QRect(k * 68, 0, 64, 90), face);
    }
    p.end();
    Image1->setPixmap(QPixmap::fromImage(strip));
}

void TFormOptions::refreshLibraries() {
    const auto present = [&](const QString& file) {
        for (const QString& folder : context_.libraryFolders)
            if (QFileInfo(QDir(folder).filePath(file)).isFile()) return true;
        return false;
    };
    // A library that is there needs no download; a disabled button is drawn lighter.
    for (auto& [button, file] : downloads) button->setEnabled(!present(file));
    const bool design = present(table::kDesignLibrary);
    CheckBoxD1->setEnabled(design);
    CheckBoxD2->setEnabled(design);
    if (!design && (settings_.SaluteOnButtons || settings_.SaluteOnCards)) {
        // Without the design library there is no salute: its boxes are cleared, and so are the
        // settings they show.
        settings_.SaluteOnButtons = settings_.SaluteOnCards = false;
        emit changed(OptionChange::Salute);
        refresh();
    }
}

}  // namespace orvala::dialogs
