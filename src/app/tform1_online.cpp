// The main window's side of the web service: the client, the configuration page at start-up
// and the statistics window.

#include <QApplication>
#include <QDir>

#include "app/account_startup.h"
#include "app/statistics_window.h"
#include "app/tform1.h"
#include "core/online/account.h"
#include "core/online/service_addresses.h"
#include "net/service_url.h"

namespace orvala::app {

void TForm1::onlineStartup() {
    const std::string base = net::serviceUrl().toString().toStdString();
    auto addresses = online::addressesAt(base);
    online::applyStoredAddresses(settings_.RecordsAddress, settings_.StatisticsAddress, addresses);
    online_ = std::make_unique<net::OnlineClient>(addresses);
    // Requests never hold the window; the busy cursor says one is under way.
    connect(online_.get(), &net::OnlineClient::busyChanged, this, [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    if (options_.demo) return;
    online_->readConfiguration(
        QUrl(QString::fromStdString(base + "/config.txt")),
        [this] {
            // The settings keep the addresses the page gave, enciphered.
            settings_.RecordsAddress = online::encipherAddress(online_->addresses().records);
            settings_.StatisticsAddress = online::encipherAddress(online_->addresses().statistics);
            startupReport();
            // The account is logged in at the address the page gave.
            accountStartup();
        },
        this);
}

void TForm1::ShowStatistics() {
    PlaySoundEvent(Wave::WOpenFo, false);
    openStatistics(this, *online_, settings_);
}

}  // namespace orvala::app
