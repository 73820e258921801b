#include "dialogs/field_lamp.h"

#include <QComboBox>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "core/online/countries.h"
#include "core/online/flag_names.h"
#include "core/text/cp1251.h"
#include "dialogs/dialog_kit.h"
#include "table/art_names.h"
#include "table/picture_store.h"

namespace orvala::dialogs {

LampLabel::LampLabel(QWidget* parent) : QLabel(parent) {
    setFixedSize(16, 16);
    setLamp(online::Lamp::Red);
}

QColor lampColour(online::Lamp lamp) {
    switch (lamp) {
        case online::Lamp::Green:
            return {30, 200, 60};
        case online::Lamp::Yellow:
            return {240, 210, 30};
        default:
            return {220, 40, 40};
    }
}

void LampLabel::setLamp(online::Lamp lamp) {
    lamp_ = lamp;
    QPixmap disc(14, 14);
    disc.fill(Qt::transparent);
    QPainter p(&disc);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = lampColour(lamp);
    p.setPen(colour.darker(160));
    p.setBrush(colour);
    p.drawEllipse(1, 1, 12, 12);
    p.end();
    setPixmap(disc);
}

std::string fieldBytes(const QString& text) {
    return utf8ToCp1251(text.toStdString());
}

QValidator::State AllowedCharsValidator::validate(QString& input, int&) const {
    // A character that has no Windows-1251 byte comes back as "?", which is refused too.
    for (const QChar ch : input) {
        const std::string bytes = fieldBytes(QString(ch));
        if (bytes.size() != 1 || ch == QLatin1Char('?') ||
            !online::isAllowedChar(static_cast<unsigned char>(bytes[0])))
            return Invalid;
    }
    return Acceptable;
}

void fillContinents(QComboBox* box) {
    constexpr WordRow kNames[online::kContinents] = {WordRow::Europe,       WordRow::Asia,
                                                     WordRow::NorthAmerica, WordRow::SouthAmerica,
                                                     WordRow::Oceania,      WordRow::Africa};
    box->clear();
    for (WordRow row : kNames) box->addItem(word(row));
}

void fillCountries(QComboBox* box, int continent) {
    static const table::BuiltInPictures pictures;
    box->clear();
    box->setIconSize(QSize(art::kFlagWidth, art::kFlagHeight));
    for (int n = 0; n <= online::countryCount(continent); ++n) {
        const auto c = online::country(continent, n);
        const QImage flag = pictures.picture(
            QString::fromStdString(online::flagPictureName(online::countryCode(continent, n))));
        box->addItem(QIcon(QPixmap::fromImage(flag)),
                     c ? QString::fromStdString(cp1251ToUtf8(c->name)) : QString());
    }
}

}  // namespace orvala::dialogs
