#include "dialogs/passport_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/online/account.h"
#include "core/online/countries.h"
#include "core/settings/settings.h"
#include "core/text/cp1251.h"
#include "dialogs/field_lamp.h"

namespace orvala::dialogs {

TFormServerInfo::TFormServerInfo(const Passport& passport, QWidget* parent)
    : AuxDialog(word(WordRow::MyPassport), parent), passport_(passport) {
    setObjectName("TFormServerInfo");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 16, 20, 16);
    const auto edit = [this](const std::string& text, std::size_t max) {
        auto* e = new QLineEdit(QString::fromStdString(cp1251ToUtf8(text)), this);
        e->setMaxLength(static_cast<int>(max));
        e->setValidator(new AllowedCharsValidator(e));
        return e;
    };
    EditNick = edit(passport.nick, kOnlineNickMax);
    LampNick = new LampLabel(this);
    EditCity = edit(passport.city, kOnlineCityMax);
    LampCity = new LampLabel(this);
    ComboContinent = new QComboBox(this);
    fillContinents(ComboContinent);
    ComboCountry = new QComboBox(this);
    const auto c = online::countryByCode(passport.location);
    const int continent = c ? c->continent : 1;
    ComboContinent->setCurrentIndex(continent - 1);
    fillCountries(ComboCountry, continent);
    ComboCountry->setCurrentIndex(c ? c->number : 0);
    ComboSex = new QComboBox(this);
    ComboSex->addItems({word(WordRow::Male), word(WordRow::Female)});
    ComboSex->setCurrentIndex(passport.gender == "W" ? 1 : 0);

    grid->addWidget(new QLabel(word(WordRow::Nick), this), 0, 0);
    grid->addWidget(EditNick, 0, 1, 1, 2);
    grid->addWidget(LampNick, 0, 3);
    grid->addWidget(new QLabel(word(WordRow::Country), this), 1, 0);
    grid->addWidget(ComboContinent, 1, 1);
    grid->addWidget(ComboCountry, 1, 2);
    grid->addWidget(new QLabel(word(WordRow::City), this), 2, 0);
    grid->addWidget(EditCity, 2, 1, 1, 2);
    grid->addWidget(LampCity, 2, 3);
    grid->addWidget(new QLabel(word(WordRow::Sex), this), 3, 0);
    grid->addWidget(ComboSex, 3, 1);
    ButtonOk = dialogButton(WordRow::Ok, this);
    grid->addWidget(ButtonOk, 4, 2, Qt::AlignRight);
    check(false);

    const auto typed = [this](std::string Passport::*field, QLineEdit* from) {
        if (!check(false)) return;
        passport_.*field = fieldBytes(from->text());
        emit changed(passport_);
    };
    connect(EditNick, &QLineEdit::textChanged, this,
            [this, typed] { typed(&Passport::nick, EditNick); });
    connect(EditCity, &QLineEdit::textChanged, this,
            [this, typed] { typed(&Passport::city, EditCity); });
    connect(ComboContinent, &QComboBox::activated, this, [this](int i) {
        passport_.location = online::countryCode(i + 1, 0);
        const QSignalBlocker quiet(ComboCountry);
        fillCountries(ComboCountry, i + 1);
        emit changed(passport_);
    });
    connect(ComboCountry, &QComboBox::activated, this, [this](int n) {
        passport_.location = online::countryCode(ComboContinent->currentIndex() + 1, n);
        emit changed(passport_);
    });
    connect(ComboSex, &QComboBox::activated, this, [this](int i) {
        passport_.gender = i == 1 ? "W" : "M";
        emit changed(passport_);
    });
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
}

bool TFormServerInfo::check(bool focus) {
    const online::Lamp nick = online::passportLamp(fieldBytes(EditNick->text()), kOnlineNickMax);
    const online::Lamp city = online::passportLamp(fieldBytes(EditCity->text()), kOnlineCityMax);
    LampNick->setLamp(nick);
    LampCity->setLamp(city);
    const bool usable = nick != online::Lamp::Red && city != online::Lamp::Red;
    ButtonOk->setEnabled(usable);
    if (!usable && focus) (nick == online::Lamp::Red ? EditNick : EditCity)->setFocus();
    return usable;
}

void TFormServerInfo::done(int result) {
    if (!check(true)) return;
    AuxDialog::done(result);
}

void TFormServerInfo::closeEvent(QCloseEvent* event) {
    if (!check(true)) {
        event->ignore();
        return;
    }
    AuxDialog::closeEvent(event);
}

}  // namespace orvala::dialogs
