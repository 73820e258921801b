#pragma once
// The account window's errands: it opens TFAcc1 and does what the window asks through the web
// client: create an account, log in and sign out, the global-rating box, the account file, the
// results, the place by rating, the member count, the rating top ten, the balance and the
// transfer, the personal pages with their photos, and the page editor TFAcc2.
//
// The account state and record are the main window's: the errands change them where they live,
// and `changed` follows every change. A transfer is one operation of the service (the Zors leave
// one balance and reach the other together, or not at all); its messages are those of the two
// writes it replaces.

#include <QPointer>
#include <functional>
#include <optional>
#include <string>

#include "core/online/account.h"
#include "core/online/operations.h"
#include "dialogs/account_dialog.h"
#include "dialogs/account_page_dialog.h"
#include "net/online_client.h"

namespace orvala::app {

struct AccountLink {
    online::AccountState* state = nullptr;
    std::optional<online::Account>* account = nullptr;
    std::string accountFile;    // "ZorUser.zor" in the folder above the program's
    std::string presidentNick;  // empty: no president's page
    bool salute = false;
    std::function<void()> changed;
};

class AccountWindow final : public QObject {
    Q_OBJECT
  public:
    // Opens the window; it and this object go when the window closes.
    static AccountWindow* open(QWidget* parent, net::OnlineClient& client, AccountLink link);

    dialogs::TFAcc1* window() const { return window_; }
    dialogs::TFAcc2* editor() const { return editor_; }
    const std::optional<online::GameResults>& results() const { return results_; }

  private:
    AccountWindow(dialogs::TFAcc1* window, net::OnlineClient& client, AccountLink link);
    void create(const online::Account& typed);
    void login(const online::Account& typed);
    void loggedIn(online::Account account, bool created);
    void signOut();
    void readAll();
    void readPublic();
    void readBalance();
    void transfer(const QString& nick, qint64 amount);
    void readPage(const std::string& nick, bool own);
    void fetchPhoto(const std::string& nick, std::function<void(const QImage&)> done);
    void editPage();
    void setState(online::AccountState state);
    void post(const online::Request& r, net::OnlineClient::Callback done);

    QPointer<dialogs::TFAcc1> window_;
    QPointer<dialogs::TFAcc2> editor_;
    net::OnlineClient& client_;
    AccountLink link_;
    std::optional<online::GameResults> results_;
    std::optional<online::PersonalPage> ownPage_;
};

}  // namespace orvala::app
