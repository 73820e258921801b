#include "app/online/account_window.h"

#include <QDate>
#include <QFile>
#include <QLocale>

#include "app/short_date.h"
#include "core/online/account_page.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "table/word_text.h"

namespace orvala::app {
namespace {

using table::word;

QString fromBytes(std::string_view bytes) {
    return QString::fromStdString(cp1251ToUtf8(bytes));
}

}  // namespace

AccountWindow* AccountWindow::open(QWidget* parent, net::OnlineClient& client, AccountLink link) {
    dialogs::AccountShown shown;
    shown.state = *link.state;
    if (*link.account) shown.account = **link.account;
    shown.fileThere = QFile::exists(QString::fromStdString(link.accountFile));
    shown.salute = link.salute;
    auto* window = new dialogs::TFAcc1(shown, parent);
    auto* errands = new AccountWindow(window, client, std::move(link));
    window->open();
    return errands;
}

AccountWindow::AccountWindow(dialogs::TFAcc1* window, net::OnlineClient& client, AccountLink link)
    : QObject(window), window_(window), client_(client), link_(std::move(link)) {
    using dialogs::TFAcc1;
    connect(window, &TFAcc1::createWanted, this, &AccountWindow::create);
    connect(window, &TFAcc1::loginWanted, this, &AccountWindow::login);
    connect(window, &TFAcc1::signOutWanted, this, &AccountWindow::signOut);
    connect(window, &TFAcc1::globalRatingWanted, this, [this](bool on) {
        if (*link_.state == online::AccountState::LoggedOut) return;
        setState(on ? online::AccountState::GlobalRating : online::AccountState::LoggedIn);
    });
    connect(window, &TFAcc1::saveWanted, this, [this] {
        if (!*link_.account) return;
        const bool saved = online::writeAccountFile(link_.accountFile, (*link_.account)->Nick,
                                                    (*link_.account)->Pw);
        window_->fileSaved(saved);
    });
    connect(window, &TFAcc1::deleteWanted, this, [this] {
        QFile::remove(QString::fromStdString(link_.accountFile));
        window_->fileSaved(QFile::exists(QString::fromStdString(link_.accountFile)));
    });
    connect(window, &TFAcc1::balanceWanted, this, &AccountWindow::readBalance);
    connect(window, &TFAcc1::transferWanted, this, &AccountWindow::transfer);
    // Zors are bought outside the game: the club's page at the service's address says how.
    connect(window, &TFAcc1::refillWanted, this, [this] {
        dialogs::showMessage(window_, word(WordRow::HowToRefillZors), {},
                             QString::fromStdString(client_.addresses().tourney + "/zors.html"));
    });
    connect(window, &TFAcc1::memberPageWanted, this,
            [this](const QString& nick) { readPage(utf8ToCp1251(nick.toStdString()), false); });
    connect(window, &TFAcc1::editPageWanted, this, &AccountWindow::editPage);
    if (*link_.state == online::AccountState::LoggedOut)
        readPublic();
    else
        readAll();
}

void AccountWindow::post(const online::Request& r, net::OnlineClient::Callback done) {
    client_.post(r, std::move(done), this);
}

void AccountWindow::setState(online::AccountState state) {
    *link_.state = state;
    if (window_) window_->showAccount(state, link_.account->value_or(window_->typedAccount()));
    if (link_.changed) link_.changed();
}

void AccountWindow::create(const online::Account& typed) {
    online::Account a = typed;
    a.DateR = shortDate(QDate::currentDate()).toStdString();
    a.R01 = a.R02 = a.R03 = "xxx";
    a.R04 = a.R05 = a.R06 = 0;
    post(online::registerRequest(a), [this, a](bool ok, const std::string& reply) mutable {
        const auto result = ok ? online::readRegisterReply(reply) : online::RegisterResult::Failed;
        if (result == online::RegisterResult::Created) {
            dialogs::showMessage(window_, word(WordRow::AccountCreated));
            loggedIn(a, true);
            return;
        }
        dialogs::showMessage(window_, word(result == online::RegisterResult::NickTaken
                                               ? WordRow::SameNickInClub
                                               : WordRow::CouldNotCreateAccount));
        a.DateR = "00.00.0000";
        window_->showAccount(*link_.state, a);
    });
}

void AccountWindow::login(const online::Account& typed) {
    post(online::readAccountRequest(typed.Nick, typed.Pw),
         [this, typed](bool ok, const std::string& reply) {
             const auto account =
                 ok ? online::readAccountReply(reply, typed.Nick, typed.Pw) : std::nullopt;
             if (!account) {
                 dialogs::showMessage(window_, word(WordRow::LoginFailed));
                 return;
             }
             loggedIn(*account, false);
         });
}

void AccountWindow::loggedIn(online::Account account, bool) {
    // The global-rating box is off while logged out, so a login always starts at 2.
    *link_.account = std::move(account);
    setState(online::AccountState::LoggedIn);
    readAll();
}

void AccountWindow::signOut() {
    if (*link_.account) {
        online::Account& a = **link_.account;
        a.R04 = a.R05 = a.R06 = 0;
    }
    results_.reset();
    ownPage_.reset();
    setState(online::AccountState::LoggedOut);
    window_->showPage({}, std::nullopt, {}, false);
}

void AccountWindow::readPublic() {
    post(online::ratingTopRequest(), [this](bool ok, const std::string& reply) {
        window_->showTop(ok ? std::optional(online::readRatingTop(reply)) : std::nullopt);
    });
    if (!link_.presidentNick.empty()) {
        const std::string nick = link_.presidentNick;
        post(online::readPageRequest(nick), [this, nick](bool ok, const std::string& reply) {
            const auto page = ok ? online::readPageReply(reply) : std::nullopt;
            fetchPhoto(nick, [this, nick, page](const QImage& photo) {
                window_->showPresidentPage(fromBytes(nick), page, photo);
            });
        });
    }
}

void AccountWindow::readAll() {
    readPublic();
    if (!*link_.account) return;
    const online::Account a = **link_.account;
    post(online::readResultsRequest(a.Nick, a.Pw), [this](bool ok, const std::string& reply) {
        results_ = ok ? online::readResultsReply(reply) : std::nullopt;
        if (!results_) {
            window_->showResults(std::nullopt, std::nullopt, std::nullopt);
            return;
        }
        const double rating = results_->Rating;
        post(online::placeByRatingRequest(rating), [this](bool ok, const std::string& reply) {
            const auto place = ok ? online::readNumberReply(reply) : std::nullopt;
            post(online::memberCountRequest(), [this, place](bool ok, const std::string& reply) {
                const auto members = ok ? online::readNumberReply(reply) : std::nullopt;
                if (results_) window_->showResults(results_, place, members);
            });
        });
    });
    readBalance();
    readPage(a.Nick, true);
}

void AccountWindow::readBalance() {
    if (!*link_.account) return;
    post(online::readBalanceRequest((*link_.account)->Nick),
         [this](bool ok, const std::string& reply) {
             const auto balance = ok ? online::readBalanceReply(reply) : std::nullopt;
             if (balance && *link_.account) (*link_.account)->R04 = *balance;
             window_->showBalance(balance);
         });
}

void AccountWindow::transfer(const QString& nick, qint64 amount) {
    if (!*link_.account) return;
    const online::Account me = **link_.account;
    const std::string to = utf8ToCp1251(nick.toStdString());
    // The balance is read again first: it may have changed since the page showed it.
    post(online::readBalanceRequest(me.Nick),
         [this, me, to, amount](bool ok, const std::string& reply) {
             const auto balance = ok ? online::readBalanceReply(reply) : std::nullopt;
             if (!balance) {
                 dialogs::showMessage(window_, QStringLiteral("No Connect!"));
                 return;
             }
             window_->showBalance(balance);
             if (*balance < amount) {
                 dialogs::showMessage(window_, word(WordRow::NotEnoughZors));
                 return;
             }
             post(online::transferRequest(me.Nick, me.Pw, to, amount),
                  [this](bool ok, const std::string& reply) {
                      const online::Transfer t =
                          ok ? online::readTransferReply(reply) : online::Transfer{};
                      switch (t.result) {
                          case online::TransferResult::Done:
                              dialogs::showMessage(window_, word(WordRow::TransferIsSuccessful));
                              break;
                          case online::TransferResult::NoSuchMember:
                              dialogs::showMessage(window_, word(WordRow::NoClubMemberWithNick));
                              break;
                          case online::TransferResult::NotEnough:
                              dialogs::showMessage(window_, word(WordRow::NotEnoughZors));
                              break;
                          case online::TransferResult::Refused:
                          case online::TransferResult::Failed:
                              dialogs::showMessage(window_, QStringLiteral("No Connect!"));
                              break;
                      }
                      readBalance();
                  });
         });
}

void AccountWindow::fetchPhoto(const std::string& nick, std::function<void(const QImage&)> done) {
    const QUrl url(QString::fromStdString(online::photoAddress(client_.addresses().account, nick)));
    client_.fetch(
        url, online::kDefaultTimeoutMs,
        [done = std::move(done)](bool ok, const std::string& bytes) {
            QImage photo;
            if (ok && online::looksLikeJpeg(bytes))
                photo.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                                   static_cast<int>(bytes.size()), "JPEG");
            done(photo);
        },
        this);
}

void AccountWindow::readPage(const std::string& nick, bool own) {
    post(online::readPageRequest(nick), [this, nick, own](bool ok, const std::string& reply) {
        const auto page = ok ? online::readPageReply(reply) : std::nullopt;
        if (own) ownPage_ = page;
        const bool female = own && *link_.account && (*link_.account)->Sex == "W";
        fetchPhoto(nick, [this, nick, page, female, own](const QImage& photo) {
            window_->showPage(fromBytes(nick), page, photo, female);
            if (own && editor_) editor_->showPhoto(photo);
        });
    });
}

void AccountWindow::editPage() {
    if (!*link_.account || editor_) return;
    auto* editor = new dialogs::TFAcc2(ownPage_.value_or(online::PersonalPage{}), window_);
    editor_ = editor;
    const online::Account me = **link_.account;
    connect(
        editor, &dialogs::TFAcc2::updateWanted, this, [this, me](const online::PersonalPage& page) {
            post(online::writePageRequest(me.Nick, me.Pw, page),
                 [this, me](bool ok, const std::string& reply) {
                     if (!ok || !online::readOkReply(reply)) {
                         dialogs::showMessage(editor_ ? static_cast<QWidget*>(editor_) : window_,
                                              word(WordRow::CouldNotConnectToServer));
                         return;
                     }
                     readPage(me.Nick, true);
                 });
        });
    connect(editor, &dialogs::TFAcc2::photoWanted, this, [this, me](const QByteArray& jpeg) {
        post(online::photoUploadRequest(me.Nick, me.Pw,
                                        std::string_view(jpeg.constData(), jpeg.size())),
             [this, me](bool ok, const std::string& reply) {
                 if (!ok || !online::readPhotoUploadReply(reply)) {
                     dialogs::showMessage(editor_ ? static_cast<QWidget*>(editor_) : window_,
                                          word(WordRow::PhotoUploadFailed));
                     return;
                 }
                 readPage(me.Nick, true);
             });
    });
    fetchPhoto(me.Nick, [this](const QImage& photo) {
        if (editor_) editor_->showPhoto(photo);
    });
    editor->open();
}

}  // namespace orvala::app
