#include "dialogs/lan_login_fields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/lan/address_rules.h"
#include "dialogs/dialog_kit.h"
#include "dialogs/radio_group.h"

namespace orvala::dialogs {

LanLoginFields::LanLoginFields(Settings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
    setObjectName("LanLoginFields");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    RadioGroup1 = new RadioGroup("RadioGroup1", 2, this);
    RadioGroup1->setCaptions(word(WordRow::ServerClient), {word(WordRow::ServerCreateTheGame),
                                                           word(WordRow::ClientEntersToGame)});
    grid->addWidget(RadioGroup1, 0, 0, 1, 2);

    EditIP = new QLineEdit(this);
    EditIP->setObjectName("EditIP");
    EditIP->setMaxLength(static_cast<int>(lan::kAddressFieldMax));
    EditPort = new QLineEdit(QString::fromStdString(settings_.ServerPort), this);
    EditPort->setObjectName("EditPort");
    EditPort->setMaxLength(static_cast<int>(lan::kPortFieldMax));
    grid->addWidget(new QLabel(word(WordRow::EnterIpOfServer), this), 1, 0);
    grid->addWidget(EditIP, 1, 1);
    grid->addWidget(new QLabel(word(WordRow::EnterPortOfServer), this), 2, 0);
    grid->addWidget(EditPort, 2, 1);

    auto* ip = dialogButton(WordRow::ToReceiveIpAddresses, this);
    ip->setObjectName("ButtonIP");
    ButtonIP = ip;
    ButtonHelp = new QToolButton(this);
    ButtonHelp->setObjectName("ButtonHelp");
    ButtonHelp->setText("?");
    grid->addWidget(ip, 3, 0);
    grid->addWidget(ButtonHelp, 3, 1, Qt::AlignLeft);
    for (int i = 0; i < 6; ++i) {
        Addresses[i] = new QLineEdit(this);
        Addresses[i]->setReadOnly(true);
        Addresses[i]->setObjectName(QString("EditAddress%1").arg(i + 1));
        grid->addWidget(Addresses[i], 4 + i / 2, i % 2);
    }

    connect(RadioGroup1, &RadioGroup::clicked, this, [this](int item) { setHost(item == 0); });
    connect(EditIP, &QLineEdit::textEdited, this, [this](const QString& text) {
        const std::string typed = text.toStdString();
        if (!lan::addressFieldAllows(typed))
            EditIP->setText(QString::fromStdString(settings_.ServerAddress));
        else if (!host() && !typed.empty())
            settings_.ServerAddress = typed;
    });
    connect(EditPort, &QLineEdit::textEdited, this, [this](const QString& text) {
        const std::string typed = text.toStdString();
        if (!lan::portFieldAllows(typed))
            EditPort->setText(QString::fromStdString(settings_.ServerPort));
        else
            settings_.ServerPort = typed;
    });
    connect(ip, &QPushButton::clicked, this, &LanLoginFields::addressesAsked);
    connect(ButtonHelp, &QToolButton::clicked, this, &LanLoginFields::helpAsked);
    setHost(true);
}

bool LanLoginFields::host() const {
    return RadioGroup1->itemIndex() != 1;
}

void LanLoginFields::setHost(bool host) {
    RadioGroup1->setItemIndex(host ? 0 : 1);
    EditIP->setEnabled(!host);
    EditIP->setText(host ? QString() : QString::fromStdString(settings_.ServerAddress));
}

void LanLoginFields::showAddresses(const QStringList& lines, const QStringList& hints) {
    for (int i = 0; i < 6; ++i) {
        Addresses[i]->setText(i < lines.size() ? lines[i] : QString());
        Addresses[i]->setToolTip(i < hints.size() ? hints[i] : QString());
    }
}

}  // namespace orvala::dialogs
