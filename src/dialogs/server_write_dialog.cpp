#include "dialogs/server_write_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "dialogs/message_window.h"

namespace orvala::dialogs {

TFormServerWrite::TFormServerWrite(const ServerWriteQuestion& question, QWidget* parent)
    : AuxDialog(word(WordRow::WorldTopTen), parent) {
    setObjectName("TFormServerWrite");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(22, 18, 22, 18);
    grid->setHorizontalSpacing(16);
    const auto row = [&](int r, WordRow caption) {
        grid->addWidget(new QLabel(word(caption) + ":", this), r, 0);
        auto* value = new QLabel(this);
        value->setMinimumWidth(180);
        return value;
    };
    nick_ = row(0, WordRow::Nick);
    grid->addWidget(nick_, 0, 1, 1, 2);
    country_ = row(1, WordRow::Country);
    flag_ = new QLabel(this);
    flag_->setFixedSize(32, 24);
    grid->addWidget(flag_, 1, 1);
    grid->addWidget(country_, 1, 2);
    city_ = row(2, WordRow::City);
    grid->addWidget(city_, 2, 1, 1, 2);
    score_ = row(3, WordRow::YourScore);
    grid->addWidget(score_, 3, 1, 1, 2);
    grid->addWidget(new QLabel(word(WordRow::YourPlace) + ":", this), 4, 0);
    place_ = new QLabel(this);
    grid->addWidget(place_, 4, 1, 1, 2);

    auto* buttons = new QHBoxLayout;
    ButtonSend = dialogButton(WordRow::Send, this);
    ButtonSend->setObjectName("ButtonSend");
    ButtonPassport = dialogButton(WordRow::Passport, this);
    ButtonPassport->setObjectName("ButtonPassport");
    ButtonPassport->setEnabled(question.passport);
    Button1 = dialogButton(WordRow::Close, this);
    Button1->setObjectName("Button1");
    for (auto* b : {ButtonSend, ButtonPassport, Button1}) buttons->addWidget(b);
    grid->addLayout(buttons, 5, 0, 1, 3);
    ButtonSend->setDefault(true);
    connect(ButtonSend, &QPushButton::clicked, this, [this] {
        ButtonSend->setEnabled(false);  // one write at a time; a failure gives it back
        emit sendAsked();
    });
    connect(ButtonPassport, &QPushButton::clicked, this, &TFormServerWrite::passportAsked);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    setPassport(question);
}

void TFormServerWrite::setPassport(const ServerWriteQuestion& q) {
    nick_->setText(q.nick);
    country_->setText(q.country);
    city_->setText(q.city);
    score_->setText(QString::number(q.score));
    flag_->setPixmap(q.flag.isNull() ? QPixmap() : QPixmap::fromImage(q.flag.scaled(32, 24)));
}

void TFormServerWrite::showPlace(std::optional<long long> place) {
    if (!place) {
        ButtonSend->setEnabled(true);
        showMessage(this, word(WordRow::UnableToWriteResult));
        return;
    }
    // A cycle is sent once.
    ButtonSend->setEnabled(false);
    place_->setText(QString::number(*place));
}

QStringList TFormServerWrite::values() const {
    return {nick_->text(), country_->text(), city_->text(), score_->text(), place_->text()};
}

}  // namespace orvala::dialogs
