#include "dialogs/password_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/lan/address_rules.h"
#include "core/text/cp1251.h"
#include "dialogs/kept_text_validator.h"
#include "dialogs/message_window.h"

namespace orvala::dialogs {

namespace {

std::string bytes(const QLineEdit* edit) {
    return utf8ToCp1251(edit->text().toStdString());
}

QLineEdit* field(QWidget* parent, const QString& name, int maxLength, bool secret) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    if (secret) edit->setEchoMode(QLineEdit::Password);
    edit->setMinimumWidth(180);
    return edit;
}

}  // namespace

TFormPassword::TFormPassword(const PasswordQuestion& question, QWidget* parent)
    : AuxDialog(word(WordRow::Welcome), parent), question_(question) {
    setObjectName("TFormPassword");
    const bool isNew = question.slot < 1 || question.slot > kClubMembers;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(22, 18, 22, 18);
    grid->setVerticalSpacing(8);

    Edit1 = field(this, "Edit1", static_cast<int>(kMemberNameWidth), false);
    Edit2 = field(this, "Edit2", static_cast<int>(kMemberPasswordWidth), true);
    grid->addWidget(new QLabel(word(WordRow::EnterYourName), this), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(new QLabel(word(WordRow::EnterYourPassword), this), 1, 0);
    grid->addWidget(Edit2, 1, 1);
    if (isNew) {
        // The name is kept in the club file's letters and width: an edit that would not fit is
        // refused and the line under the fields says why.
        NameHint = new QLabel(this);
        NameHint->setObjectName("NameHint");
        NameHint->setWordWrap(true);
        NameHint->hide();
        grid->addWidget(NameHint, 3, 0, 1, 2);
        Edit1->setMaxLength(32767);
        Edit1->setValidator(new KeptTextValidator(
            static_cast<int>(kMemberNameWidth),
            [this](const QString& why) {
                NameHint->setText(why);
                NameHint->show();
            },
            Edit1));
        // The line stays while the name is typed on, so that a quick typist still reads it.
        connect(Edit1, &QLineEdit::textChanged, NameHint, [this](const QString& text) {
            if (text.isEmpty()) NameHint->hide();
        });
        Edit3 = field(this, "Edit3", static_cast<int>(kMemberPasswordWidth), true);
        grid->addWidget(new QLabel(word(WordRow::AndOnceAgainForCheck), this), 2, 0);
        grid->addWidget(Edit3, 2, 1);
    } else {
        const auto member = parseMemberLine(question.club.memberLine(question.slot), question.slot);
        Edit1->setText(member ? QString::fromStdString(cp1251ToUtf8(trimmedName(member->name)))
                              : QString());
        Edit1->setReadOnly(true);
        Edit2->setFocus();
    }
    if (question.lan) {
        Lan = new LanLoginFields(*question.lan, this);
        grid->addWidget(Lan, 4, 0, 1, 2);
    }
    auto* row = new QHBoxLayout;
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = dialogButton(WordRow::Cancel, this);
    Button2->setObjectName("Button2");
    row->addWidget(Button1);
    row->addWidget(Button2);
    grid->addLayout(row, 5, 0, 1, 2, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, &TFormPassword::check);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormPassword::check() {
    const Login login = loginMember(question_.club, question_.slot, bytes(Edit1), bytes(Edit2),
                                    Edit3 ? bytes(Edit3) : bytes(Edit2));
    switch (login.answer) {
        case LoginAnswer::Ok:
            if (Lan) return startLan(login.member);
            emit loggedIn(login.member);
            accept();
            return;
        case LoginAnswer::IncorrectName:
            showMessage(this, word(WordRow::IncorrectName));
            Edit1->setFocus();
            return;
        case LoginAnswer::PasswordsDiffer:
            showMessage(this, word(WordRow::PasswordsDoNotCoincide));
            Edit2->setFocus();
            return;
        case LoginAnswer::IncorrectPassword:
            showMessage(this, word(WordRow::TheIncorrectPassword));
            Edit2->setFocus();
            return;
    }
}

void TFormPassword::startLan(const ClubMember& member) {
    LanStart start;
    start.host = Lan->host();
    start.address = Lan->EditIP->text();
    if (!start.host && !lan::validServerAddress(start.address.toStdString())) {
        showMessage(this, word(WordRow::IncorrectIpAddress));
        Lan->EditIP->setFocus();
        return;
    }
    const auto port = lan::serverPort(Lan->EditPort->text().toStdString());
    if (!port) {
        showMessage(this, word(WordRow::IncorrectPort));
        Lan->EditPort->setFocus();
        return;
    }
    start.port = *port;
    emit lanStartAsked(member, start);
}

}  // namespace orvala::dialogs
