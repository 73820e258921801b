// The main window's side of the account: the account window from the menu's account button,
// the passport window from the options, and the login at start-up from "ZorUser.zor".

#include <QDir>
#include <QPainter>
#include <QToolButton>

#include "app/account_startup.h"
#include "app/account_window.h"
#include "app/tform1.h"
#include "dialogs/field_lamp.h"
#include "dialogs/passport_dialog.h"
#include "table/word_text.h"

namespace orvala::app {

QString TForm1::accountFile() const {
    return QDir(options_.programFolder).absoluteFilePath(QStringLiteral("../ZorUser.zor"));
}

void TForm1::accountStartup() {
    startupLogin(
        *online_, QDir::cleanPath(accountFile()).toStdString(),
        [this](std::optional<online::Account> account) {
            if (!account) return;
            account_ = std::move(account);
            accountState_ = online::AccountState::LoggedIn;
            showAccountState();
        },
        this);
}

void TForm1::createAccountIcon() {
    AccountIcon = new QToolButton(this);
    AccountIcon->setObjectName("AccountIcon");
    AccountIcon->setAutoRaise(true);
    AccountIcon->hide();
    connect(AccountIcon, &QToolButton::clicked, this, &TForm1::ShowAccount);
    showAccountState();
}

void TForm1::showAccountState() {
    if (!AccountIcon) return;
    // A star in the state's colour: red logged out, yellow logged in, green for the rating.
    QPixmap star(64, 64);
    star.fill(Qt::transparent);
    QPainter p(&star);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = dialogs::lampColour(
        accountState_ == online::AccountState::GlobalRating ? online::Lamp::Green
        : accountState_ == online::AccountState::LoggedIn   ? online::Lamp::Yellow
                                                            : online::Lamp::Red);
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 13.0 : 30.0;
        const double a = -M_PI / 2 + i * M_PI / 5;
        points << QPointF(32 + r * std::cos(a), 33 + r * std::sin(a));
    }
    p.setPen(QPen(colour.darker(170), 2));
    p.setBrush(colour);
    p.drawPolygon(points);
    p.end();
    AccountIcon->setIcon(QIcon(star));
    AccountIcon->setToolTip(table::word(WordRow::MyAccount));
    AccountIcon->setProperty("state", static_cast<int>(accountState_));
}

void TForm1::ShowAccount() {
    PlaySoundEvent(Wave::WOpenFo, false);
    AccountLink link;
    link.state = &accountState_;
    link.account = &account_;
    link.accountFile = QDir::cleanPath(accountFile()).toStdString();
    link.presidentNick = online_->addresses().presidentNick;
    link.salute = settings_.SaluteOnButtons;
    link.changed = [this] { showAccountState(); };
    auto* errands = AccountWindow::open(this, *online_, std::move(link));
    connect(errands->window(), &dialogs::TFAcc1::saluteWanted, this, [this] { salute(true); });
}

void TForm1::ShowPassport() {
    QWidget* over = options_dialog_ ? static_cast<QWidget*>(options_dialog_) : this;
    PlaySoundEvent(Wave::WOpenFo, false);
    // A first run has no settings file yet, and so no passport: the defaults stand in for it.
    const auto orDefault = [](const std::string& value, std::string_view fallback) {
        return value.empty() ? std::string(fallback) : value;
    };
    dialogs::Passport passport;
    passport.nick = orDefault(settings_.OnlineNick, kDefaultOnlineNick);
    passport.city = orDefault(settings_.OnlineCity, kDefaultOnlineCity);
    passport.location = orDefault(settings_.OnlineLocation, kDefaultOnlineLocation);
    passport.gender = orDefault(settings_.OnlineGender, kDefaultOnlineGender);
    auto* d = new dialogs::TFormServerInfo(passport, over);
    connect(d, &dialogs::TFormServerInfo::changed, this, [this](const dialogs::Passport& p) {
        settings_.OnlineNick = p.nick;
        settings_.OnlineCity = p.city;
        settings_.OnlineLocation = p.location;
        settings_.OnlineGender = p.gender;
    });
    d->open();
}

}  // namespace orvala::app
