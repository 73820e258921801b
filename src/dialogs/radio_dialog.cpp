#include "dialogs/radio_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "core/radio/radio_pictures.h"
#include "core/text/cp1251.h"
#include "table/resource_library.h"

namespace orvala::dialogs {
namespace {

QString fromBytes(const std::string& s) {
    return QString::fromStdString(cp1251ToUtf8(s));
}

}  // namespace

TFormRadio::TFormRadio(RadioWindowData data, QWidget* parent)
    : AuxDialog(word(WordRow::Radio), parent), data_(std::move(data)) {
    setObjectName("TFormRadio");
    setFixedSize(360, 220);
    library_ = table::ResourceLibrary::open(data_.libraryPath);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setGeometry(10, 10, 200, 26);
    // Only the countries the list has stations for, each by the name its stations give it; an
    // item keeps its place in the full list of codes, which the radio's state counts in.
    const auto& codes = radioCountryCodes();
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const auto of = stationsOf(data_.stations, codes[i]);
        if (!of.empty()) ComboBox1->addItem(fromBytes(of.front().country), int(i));
    }
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName("ComboBox2");
    ComboBox2->setGeometry(10, 44, 200, 26);
    StationText = new QLabel(this);
    StationText->setObjectName("StationText");
    StationText->setGeometry(10, 76, 200, 40);
    StationText->setWordWrap(true);
    Logo = new QLabel(this);
    Logo->setObjectName("Logo");
    Logo->setGeometry(225, 10, radio_art::kLogoWidth, radio_art::kLogoHeight);
    Image1 = new QPushButton(this);
    Image1->setObjectName("Image1");
    Image1->setFlat(true);
    Image1->setGeometry(10, 130, 68, 68);
    Image1->setIconSize(QSize(64, 64));
    ButtonMinus = dialogButton("-", this);
    ButtonMinus->setObjectName("ButtonMinus");
    ButtonMinus->setGeometry(95, 150, 30, 26);
    Volume = new QLabel(this);
    Volume->setObjectName("Volume");
    Volume->setGeometry(130, 152, radio_art::kVolumeWidth, radio_art::kVolumeHeight);
    ButtonPlus = dialogButton("+", this);
    ButtonPlus->setObjectName("ButtonPlus");
    ButtonPlus->setGeometry(245, 150, 30, 26);
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(285, 180, 65, 30);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int item) {
        if (filling_ || item < 0) return;
        data_.state.CountryFilter = ComboBox1->itemData(item).toInt();
        fillStations();
        emit countryChosen(data_.state.CountryFilter);
    });
    connect(ComboBox2, &QComboBox::activated, this, [this](int item) {
        if (item >= 0) emit stationChosen(ComboBox2->itemData(item).toString());
    });
    connect(Image1, &QPushButton::clicked, this, &TFormRadio::switchClicked);
    connect(ButtonPlus, &QPushButton::clicked, this, [this] { emit volumeStep(+1); });
    connect(ButtonMinus, &QPushButton::clicked, this, [this] { emit volumeStep(-1); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    showCountry(data_.state.CountryFilter);
    showState(data_.state);
}

TFormRadio::~TFormRadio() = default;

QPixmap TFormRadio::picture(const std::string& name) const {
    return library_ ? QPixmap::fromImage(library_->picture(QString::fromStdString(name)))
                    : QPixmap();
}

// The country of the list (an item of radioCountryCodes()); one without stations is not in the
// window, which then shows its first country until another is chosen.
void TFormRadio::showCountry(int filter) {
    filling_ = true;
    ComboBox1->setCurrentIndex(std::max(0, ComboBox1->findData(filter)));
    filling_ = false;
    fillStations();
}

void TFormRadio::fillStations() {
    filling_ = true;
    ComboBox2->clear();
    const auto& codes = radioCountryCodes();
    const int item = ComboBox1->currentData().isValid() ? ComboBox1->currentData().toInt() : -1;
    if (item >= 0 && item < int(codes.size()))
        for (const Station& s : stationsOf(data_.stations, codes[size_t(item)]))
            ComboBox2->addItem(fromBytes(s.name), QString::fromStdString(s.id));
    filling_ = false;
}

void TFormRadio::showState(const RadioState& state) {
    const bool countryMoved = state.CountryFilter != data_.state.CountryFilter;
    data_.state = state;
    if (countryMoved) showCountry(state.CountryFilter);
    const int at = ComboBox2->findText(fromBytes(state.StationName));
    if (at >= 0) ComboBox2->setCurrentIndex(at);
    StationText->setText(fromBytes(state.StationName) + "\n" + fromBytes(state.StationCountry));
    Logo->setPixmap(picture(state.StationLogo));
    Image1->setIcon(picture(state.RadioOn ? radio_art::kButtonOn : radio_art::kButtonOff));
    Volume->setPixmap(picture(radio_art::volumePicture(state.RadioVolume)));
    Volume->setToolTip(QString::number(state.RadioVolume));
}

}  // namespace orvala::dialogs
