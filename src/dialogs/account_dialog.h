#pragma once
// TFAcc1, the account window ("My account"), in six pages:
//  - the account ("Your account information"): nick, password, country (continent and country
//    lists), city, sex and e-mail, each checked field with its lamp; "Create an account",
//    "Login to account" (which reads "Sign out" while logged in), "Hide password", "Play global
//    rating", and "Save"/"Delete" of the account file; the state's lamp and words;
//  - the game results ("Information about your games");
//  - the rating top ten ("Top 10 best rated players");
//  - Zors: the balance with "Refresh", "Transfer Zors" of an amount to a nick, and "Refill Zors",
//    which tells where Zors are bought (never in the game);
//  - the personal page ("About me"): the own page, or any member's read by nick;
//  - the club president's page.
// The window only shows and asks: every errand goes out by a signal, and the answers come back
// through the show functions. The transfer's checks against the balance shown and its question
// are the window's own; only a confirmed transfer is asked for.

#include <QPointer>
#include <optional>
#include <vector>

#include "core/online/account.h"
#include "core/online/account_page.h"
#include "core/online/operations.h"
#include "dialogs/dialog_kit.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

namespace orvala::dialogs {

class LampLabel;
class PageView;

struct AccountShown {
    online::AccountState state = online::AccountState::LoggedOut;
    online::Account account;  // the page's fields (nick and password as last typed)
    bool fileThere = false;   // "ZorUser.zor" exists
    bool salute = false;
};

class TFAcc1 final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFAcc1(const AccountShown& shown, QWidget* parent = nullptr);

    // The account as the service answered (or the page's own fields after a sign-out).
    void showAccount(online::AccountState state, const online::Account& account);
    void showResults(const std::optional<online::GameResults>& results,
                     std::optional<std::int64_t> place, std::optional<std::int64_t> members);
    // Nothing: the top ten could not be read ("No Connect").
    void showTop(const std::optional<std::vector<online::TopRow>>& rows);
    // Nothing: the balance could not be read.
    void showBalance(std::optional<std::int64_t> balance);
    void showPage(const QString& nick, const std::optional<online::PersonalPage>& page,
                  const QImage& photo, bool female);
    void showPresidentPage(const QString& nick, const std::optional<online::PersonalPage>& page,
                           const QImage& photo);
    void fileSaved(bool there);

    // The account the page's fields describe (Windows-1251).
    online::Account typedAccount() const;
    online::AccountLamps lamps() const;
    std::optional<std::int64_t> balance() const { return balance_; }

    QTabWidget* Pages = nullptr;
    QLineEdit *EditNick = nullptr, *EditPw = nullptr, *EditCity = nullptr, *EditEMail = nullptr;
    QComboBox *ComboContinent = nullptr, *ComboCountry = nullptr, *ComboSex = nullptr;
    LampLabel *LampNick = nullptr, *LampPw = nullptr, *LampCity = nullptr, *LampEMail = nullptr;
    LampLabel* LampState = nullptr;
    QLabel* LabelState = nullptr;
    QLabel* LabelDate = nullptr;
    QCheckBox *CheckHide = nullptr, *CheckGlobal = nullptr;
    table::TZorCardsButton *ButtonCreate = nullptr, *ButtonLogin = nullptr;
    table::TZorCardsButton *ButtonSave = nullptr, *ButtonDelete = nullptr;
    table::TZorCardsButton* ButtonClose = nullptr;
    QLabel* LabelResults = nullptr;
    QTableWidget* TopList = nullptr;
    QLabel* LabelBalance = nullptr;
    table::TZorCardsButton* ButtonRefresh = nullptr;
    QLineEdit *EditAmount = nullptr, *EditReceiver = nullptr;
    table::TZorCardsButton* ButtonTransfer = nullptr;
    table::TZorCardsButton* ButtonRefill = nullptr;  // how Zors are bought, outside the game
    QLineEdit* EditMember = nullptr;
    table::TZorCardsButton *ButtonMember = nullptr, *ButtonEdit = nullptr;
    PageView *MyPage = nullptr, *PresidentPage = nullptr;

  Q_SIGNALS:
    void createWanted(const online::Account& account);
    void loginWanted(const online::Account& account);
    void signOutWanted();
    void globalRatingWanted(bool on);
    void saveWanted();
    void deleteWanted();
    void balanceWanted();
    // Asked after the player said yes to the question.
    void transferWanted(const QString& nick, qint64 amount);
    void refillWanted();
    void memberPageWanted(const QString& nick);
    void editPageWanted();
    void saluteWanted(QWidget* button);

  private:
    QWidget* accountPage();
    QWidget* resultsPage();
    QWidget* topPage();
    QWidget* zorsPage();
    QWidget* aboutPage();
    void check();
    void transfer();
    void loginOrSignOut();

    online::AccountState state_;
    bool salute_;
    bool fileThere_;
    std::optional<std::int64_t> balance_;
};

// One personal page as shown: the nick, the photo (an empty frame when there is none) and the
// fourteen texts under their captions.
class PageView final : public QWidget {
    Q_OBJECT
  public:
    explicit PageView(QWidget* parent = nullptr);
    void show(const QString& nick, const std::optional<online::PersonalPage>& page,
              const QImage& photo, bool female);
    QString nick() const;
    // The texts as shown, in the page's order; empty when the page could not be read.
    QStringList texts() const;
    bool hasPhoto() const { return hasPhoto_; }

  private:
    QLabel* nick_ = nullptr;
    QLabel* photo_ = nullptr;
    std::vector<QLabel*> texts_;
    bool hasPhoto_ = false;
};

// The captions of the page's fields, in the page's order.
WordRow pageFieldCaption(online::PageField f);

}  // namespace orvala::dialogs
