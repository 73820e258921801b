#include "app/online/online_feature.h"

#include <QDir>
#include <QIcon>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

#include "app/account_holder.h"
#include "app/calendar_panel.h"
#include "app/club_records.h"
#include "app/menu_screen.h"
#include "app/online/account_star.h"
#include "app/online/account_startup.h"
#include "app/online/account_window.h"
#include "app/online/statistics_window.h"
#include "app/online/world_panel.h"
#include "app/online/world_top_ten.h"
#include "app/picture_key.h"
#include "app/shell.h"
#include "core/online/service_addresses.h"
#include "core/records/club_file.h"
#include "core/settings/option_rules.h"
#include "core/settings/settings.h"
#include "dialogs/options_dialog.h"
#include "net/online_client.h"
#include "table/table_geometry.h"
#include "table/table_view.h"
#include "table/word_text.h"

namespace orvala::app {

OnlineFeature::OnlineFeature(Shell& shell) : shell_(shell) {
    readConfiguration([this] {
        startupReport();
        // The account is logged in at the address the page gave.
        accountStartup();
    });
    createAccountIcon();
    createWorldPanel();
    connect(&shell_.account(), &AccountHolder::changed, this, &OnlineFeature::accountChanged);
    // In the "Purple" design the menu's "Top Ten" is the world's; the club keeps it otherwise.
    connect(shell_.menu().Button9, &QPushButton::clicked, this, [this] {
        if (topTenOpensWorld(shell_.settings())) ShowWorldTopTen();
    });
}

void OnlineFeature::readConfiguration(std::function<void()> then) {
    if (shell_.launch().demo) return;
    const std::string base = shell_.serviceUrl().toString().toStdString();
    shell_.online().readConfiguration(
        QUrl(QString::fromStdString(base + "/config.txt")),
        [this, then = std::move(then)] {
            // The settings keep the addresses the page gave, enciphered.
            Settings& s = shell_.settings();
            s.RecordsAddress = online::encipherAddress(shell_.online().addresses().records);
            s.StatisticsAddress = online::encipherAddress(shell_.online().addresses().statistics);
            then();
        },
        this);
}

void OnlineFeature::optionChanged(dialogs::OptionChange what) {
    if (what != dialogs::OptionChange::ServiceAddress) return;
    // The addresses the old service's page published are forgotten with it.
    Settings& s = shell_.settings();
    s.RecordsAddress = kBuiltInRecordsAddress;
    s.StatisticsAddress = kBuiltInStatisticsAddress;
    shell_.online().setAddresses(online::addressesAt(shell_.serviceUrl().toString().toStdString()));
    // So is an account logged in there: the account file logs in again at the new service.
    shell_.account().set(std::nullopt, online::AccountState::LoggedOut);
    readConfiguration([this] { accountStartup(); });
}

void OnlineFeature::startupReport() {
    const auto club = shell_.club().read(false);
    if (shell_.launch().demo || !club || clubDistributionCode(*club) == kQuietDistributionCode)
        return;
    const bool firstRun = !shell_.settings().FirstRunReported;
    shell_.online().post(
        online::startReportRequest(firstRun),
        [this, firstRun](bool ok, const std::string& reply) {
            // Only a taken report counts this installation; a failure is silent and leaves it to
            // be reported by the next start.
            if (firstRun && ok && online::readStatusReply(reply))
                shell_.settings().FirstRunReported = true;
            // Written after every report, taken or not, so that a run that never closes cannot
            // count it twice and a new installation's file exists; the club files' check holds
            // it back as it holds every save.
            shell_.saveSettings();
        },
        this);
}

QString OnlineFeature::accountFile() const {
    return QDir(shell_.launch().programFolder).absoluteFilePath(QStringLiteral("../ZorUser.zor"));
}

void OnlineFeature::accountStartup() {
    startupLogin(
        shell_.online(), QDir::cleanPath(accountFile()).toStdString(),
        [this](std::optional<online::Account> account) {
            if (!account) return;
            shell_.account().set(std::move(account), online::AccountState::LoggedIn);
        },
        this);
}

void OnlineFeature::createAccountIcon() {
    AccountIcon = new QToolButton(&shell_.window());
    AccountIcon->setObjectName("AccountIcon");
    AccountIcon->setAutoRaise(true);
    AccountIcon->hide();
    connect(AccountIcon, &QToolButton::clicked, this, &OnlineFeature::ShowAccount);
    showAccountState();
}

void OnlineFeature::showAccountState() {
    const online::AccountState state = shell_.account().state();
    setKeyPicture(AccountIcon, accountStar(state));
    // "My account" and the state the star's colour shows.
    const WordRow said = state == online::AccountState::GlobalRating ? WordRow::GameOnRating
                         : state == online::AccountState::LoggedIn   ? WordRow::LoggedIn
                                                                     : WordRow::NotLoggedIn;
    AccountIcon->setToolTip(table::word(WordRow::MyAccount) + "\n" + table::word(said));
    AccountIcon->setProperty("state", static_cast<int>(state));
}

void OnlineFeature::accountChanged() {
    showAccountState();
    if (shell_.screen() == Screen::Menu && !shell_.launch().demo)
        world_->refresh(shell_.online(), shell_.account().account());
}

void OnlineFeature::createWorldPanel() {
    world_ = new WorldPanel(&shell_.window());
    connect(world_, &WorldPanel::clicked, this, [this] {
        if (shell_.screen() == Screen::Menu) ShowWorldTopTen();
    });
    connect(&shell_.calendar(), &CalendarPanel::ticked, this, [this] {
        if (shell_.screen() == Screen::Menu) world_->next();
    });
}

void OnlineFeature::screenShown(Screen screen) {
    if (screen == Screen::Menu) {
        AccountIcon->show();
        world_->show();
        world_->applyLanguage();
        if (!shell_.launch().demo) world_->refresh(shell_.online(), shell_.account().account());
    } else if (screen == Screen::Game) {
        AccountIcon->hide();
        world_->hide();
    }
}

void OnlineFeature::contextMenu(ContextMenu& menu) {
    menu.offer(WordRow::Statistics, true, [this] { ShowStatistics(); });
}

void OnlineFeature::applyLanguage() {
    world_->applyLanguage();
    showAccountState();
}

void OnlineFeature::layout() {
    const auto& scales = shell_.view().scales();
    // Between the title with the calendar's cards and the club heading.
    const auto w = table::mapRect(scales, 180, 198, 400, 24);
    world_->setGeometry(QRect(w.left, w.top, w.width, w.height));
    // The star at the menu's top right corner.
    const auto r = table::mapRect(scales, 722, 4, 34, 34);
    placeKey(AccountIcon, QRect(r.left, r.top, r.width, r.height));
}

void OnlineFeature::ShowAccount() {
    shell_.playSound(Wave::WOpenFo, false);
    AccountLink link;
    link.state = shell_.account().stateSlot();
    link.account = shell_.account().accountSlot();
    link.accountFile = QDir::cleanPath(accountFile()).toStdString();
    link.presidentNick = shell_.online().addresses().presidentNick;
    link.salute = shell_.settings().SaluteOnButtons;
    link.changed = [this] { shell_.account().touch(); };
    auto* errands = AccountWindow::open(&shell_.window(), shell_.online(), std::move(link));
    connect(errands->window(), &dialogs::TFAcc1::saluteWanted, this,
            [this] { shell_.salute(true); });
}

void OnlineFeature::ShowStatistics() {
    shell_.playSound(Wave::WOpenFo, false);
    openStatistics(&shell_.window(), shell_.online(), shell_.settings());
}

void OnlineFeature::ShowWorldTopTen() {
    shell_.playSound(Wave::WOpenFo, false);
    WorldViewer v;
    v.passportNick = shell_.settings().OnlineNick;
    v.passportCity = shell_.settings().OnlineCity;
    v.account = shell_.account().account();
    v.local = shell_.club().read(false);
    v.network = shell_.club().read(true);
    openWorldTopTen(&shell_.window(), shell_.online(), shell_.pictures(), v);
}

}  // namespace orvala::app
