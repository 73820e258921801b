#include "dialogs/account_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/online/countries.h"
#include "core/online/numbers.h"
#include "core/text/cp1251.h"
#include "dialogs/confirmation.h"
#include "dialogs/field_lamp.h"
#include "dialogs/message_window.h"

namespace orvala::dialogs {
namespace {

QString fromBytes(std::string_view bytes) {
    return QString::fromStdString(cp1251ToUtf8(bytes));
}

QLineEdit* checkedEdit(QWidget* parent, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    edit->setValidator(new AllowedCharsValidator(edit));
    return edit;
}

// The country the code names, or the first continent's "Unknown".
std::pair<int, int> countryOf(std::string_view code) {
    const auto c = online::countryByCode(code);
    return c ? std::pair{c->continent, c->number} : std::pair{1, 0};
}

}  // namespace

WordRow pageFieldCaption(online::PageField f) {
    constexpr WordRow kCaptions[online::kPageFields] = {
        WordRow::YourName,        WordRow::YourLastName, WordRow::BriefInformationAboutYou,
        WordRow::YourPhoneNumber, WordRow::YourEMail,    WordRow::YourWebSite,
        WordRow::YourSkype,       WordRow::YourOk,       WordRow::YourVk,
        WordRow::YourTelegram,    WordRow::YourFacebook, WordRow::YourTwitter,
        WordRow::YourInstagram,   WordRow::YourYouTube};
    return kCaptions[static_cast<std::size_t>(f)];
}

TFAcc1::TFAcc1(const AccountShown& shown, QWidget* parent)
    : AuxDialog(word(WordRow::MyAccount), parent),
      state_(shown.state),
      salute_(shown.salute),
      fileThere_(shown.fileThere) {
    setObjectName("TFAcc1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    Pages = new QTabWidget(this);
    Pages->addTab(accountPage(), word(WordRow::YourAccountInformation));
    Pages->addTab(resultsPage(), word(WordRow::InformationAboutYourGames));
    Pages->addTab(topPage(), word(WordRow::Top10BestRated));
    Pages->addTab(zorsPage(), word(WordRow::Zors));
    Pages->addTab(aboutPage(), word(WordRow::AboutMe));
    PresidentPage = new PageView(this);
    Pages->addTab(PresidentPage, word(WordRow::President));
    layout->addWidget(Pages);
    ButtonClose = dialogButton(WordRow::CloseAccount, this);
    layout->addWidget(ButtonClose, 0, Qt::AlignRight);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    for (auto* b : findChildren<table::TZorCardsButton*>())
        connect(b, &QPushButton::pressed, this, [this, b] {
            if (salute_) emit saluteWanted(b);
        });
    showAccount(shown.state, shown.account);
    fileSaved(shown.fileThere);
}

QWidget* TFAcc1::accountPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    int r = 0;
    const auto row = [&](WordRow caption, QWidget* field, LampLabel* lamp) {
        grid->addWidget(new QLabel(word(caption), page), r, 0);
        grid->addWidget(field, r, 1);
        if (lamp) grid->addWidget(lamp, r, 2);
        ++r;
    };
    EditNick = checkedEdit(page, 12);
    LampNick = new LampLabel(page);
    row(WordRow::NickAccount, EditNick, LampNick);
    EditPw = checkedEdit(page, 12);
    EditPw->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 35; }"));
    LampPw = new LampLabel(page);
    row(WordRow::Password, EditPw, LampPw);
    ComboContinent = new QComboBox(page);
    fillContinents(ComboContinent);
    ComboCountry = new QComboBox(page);
    auto* country = new QHBoxLayout;
    country->addWidget(ComboContinent);
    country->addWidget(ComboCountry);
    grid->addWidget(new QLabel(word(WordRow::CountryAccount), page), r, 0);
    grid->addLayout(country, r++, 1);
    EditCity = checkedEdit(page, 15);
    LampCity = new LampLabel(page);
    row(WordRow::CityAccount, EditCity, LampCity);
    ComboSex = new QComboBox(page);
    ComboSex->addItems({word(WordRow::Male), word(WordRow::Female)});
    row(WordRow::SexAccount, ComboSex, nullptr);
    EditEMail = checkedEdit(page, 30);
    LampEMail = new LampLabel(page);
    row(WordRow::YourEMail, EditEMail, LampEMail);
    LabelDate = new QLabel(page);
    row(WordRow::Registration, LabelDate, nullptr);
    CheckHide = new QCheckBox(word(WordRow::HidePassword), page);
    CheckGlobal = new QCheckBox(word(WordRow::PlayGlobalRating), page);
    grid->addWidget(CheckHide, r, 0);
    grid->addWidget(CheckGlobal, r++, 1);
    LampState = new LampLabel(page);
    LabelState = new QLabel(page);
    grid->addWidget(LampState, r, 2);
    grid->addWidget(LabelState, r++, 0, 1, 2);
    ButtonCreate = dialogButton(WordRow::CreateAnAccount, page);
    ButtonLogin = dialogButton(WordRow::LoginToAccount, page);
    ButtonSave = dialogButton(WordRow::Save, page);
    ButtonDelete = dialogButton(WordRow::Delete, page);
    auto* buttons = new QHBoxLayout;
    for (auto* b : {ButtonCreate, ButtonLogin, ButtonSave, ButtonDelete}) buttons->addWidget(b);
    grid->addLayout(buttons, r++, 0, 1, 3);

    for (auto* e : {EditNick, EditPw, EditCity, EditEMail})
        connect(e, &QLineEdit::textChanged, this, &TFAcc1::check);
    connect(ComboContinent, &QComboBox::currentIndexChanged, this,
            [this](int i) { fillCountries(ComboCountry, i + 1); });
    connect(CheckHide, &QCheckBox::toggled, this, [this](bool hide) {
        // The hidden password shows "#" for each character, as the game always has.
        EditPw->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal);
    });
    connect(CheckGlobal, &QCheckBox::clicked, this,
            [this](bool on) { emit globalRatingWanted(on); });
    connect(ButtonCreate, &QPushButton::clicked, this,
            [this] { emit createWanted(typedAccount()); });
    connect(ButtonLogin, &QPushButton::clicked, this, &TFAcc1::loginOrSignOut);
    connect(ButtonSave, &QPushButton::clicked, this, &TFAcc1::saveWanted);
    connect(ButtonDelete, &QPushButton::clicked, this, &TFAcc1::deleteWanted);
    return page;
}

QWidget* TFAcc1::resultsPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    LabelResults = new QLabel(page);
    LabelResults->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(LabelResults);
    return page;
}

QWidget* TFAcc1::topPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    TopList = new QTableWidget(0, 5, page);
    TopList->setHorizontalHeaderLabels({word(WordRow::Place), word(WordRow::PlayerAccount),
                                        word(WordRow::CityAccount), word(WordRow::CountryAccount),
                                        word(WordRow::RatingAccount)});
    TopList->verticalHeader()->hide();
    TopList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TopList->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(TopList);
    return page;
}

QWidget* TFAcc1::zorsPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    LabelBalance = new QLabel(page);
    ButtonRefresh = dialogButton(WordRow::Refresh, page);
    grid->addWidget(new QLabel(word(WordRow::Zors) + ":", page), 0, 0);
    grid->addWidget(LabelBalance, 0, 1);
    grid->addWidget(ButtonRefresh, 0, 2);
    EditAmount = new QLineEdit(page);
    EditAmount->setMaxLength(9);
    EditAmount->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), EditAmount));
    grid->addWidget(new QLabel(word(WordRow::TransferAmount), page), 1, 0);
    grid->addWidget(EditAmount, 1, 1);
    EditReceiver = checkedEdit(page, 12);
    grid->addWidget(new QLabel(word(WordRow::NickOfTransferReceiver), page), 2, 0);
    grid->addWidget(EditReceiver, 2, 1);
    ButtonTransfer = dialogButton(WordRow::TransferZors, page);
    grid->addWidget(ButtonTransfer, 3, 1);
    ButtonRefill = dialogButton(WordRow::RefillZors, page);
    grid->addWidget(ButtonRefill, 4, 1);
    grid->setRowStretch(5, 1);
    connect(ButtonRefresh, &QPushButton::clicked, this, &TFAcc1::balanceWanted);
    connect(ButtonRefill, &QPushButton::clicked, this, &TFAcc1::refillWanted);
    connect(ButtonTransfer, &QPushButton::clicked, this, &TFAcc1::transfer);
    return page;
}

QWidget* TFAcc1::aboutPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* line = new QHBoxLayout;
    EditMember = checkedEdit(page, 12);
    ButtonMember = dialogButton(WordRow::Refresh, page);
    ButtonEdit = dialogButton(WordRow::UpdateInfo, page);
    line->addWidget(new QLabel(word(WordRow::NickAccount), page));
    line->addWidget(EditMember);
    line->addWidget(ButtonMember);
    line->addStretch();
    line->addWidget(ButtonEdit);
    layout->addLayout(line);
    MyPage = new PageView(page);
    layout->addWidget(MyPage);
    connect(ButtonMember, &QPushButton::clicked, this, [this] {
        if (!EditMember->text().isEmpty()) emit memberPageWanted(EditMember->text());
    });
    connect(ButtonEdit, &QPushButton::clicked, this, &TFAcc1::editPageWanted);
    return page;
}

online::Account TFAcc1::typedAccount() const {
    online::Account a;
    a.Nick = fieldBytes(EditNick->text());
    a.Pw = fieldBytes(EditPw->text());
    a.City = fieldBytes(EditCity->text());
    a.EMail = fieldBytes(EditEMail->text());
    const int continent = ComboContinent->currentIndex() + 1;
    const int number = std::max(0, ComboCountry->currentIndex());
    a.Country2 = online::countryCode(continent, number);
    if (const auto c = online::country(continent, number)) a.Country1 = c->shortName;
    a.Sex = ComboSex->currentIndex() == 1 ? "W" : "M";
    return a;
}

online::AccountLamps TFAcc1::lamps() const {
    const online::Account a = typedAccount();
    return online::accountLamps(a.Nick, a.Pw, a.City, a.EMail);
}

void TFAcc1::check() {
    const online::AccountLamps l = lamps();
    LampNick->setLamp(l.nick);
    LampPw->setLamp(l.pw);
    LampCity->setLamp(l.city);
    LampEMail->setLamp(l.email);
    const bool out = state_ == online::AccountState::LoggedOut;
    ButtonCreate->setEnabled(online::canCreate(state_, l));
    ButtonLogin->setEnabled(out ? online::canLogin(state_, l) : true);
    ButtonLogin->setText(word(out ? WordRow::LoginToAccount : WordRow::SignOut));
    for (QWidget* w : std::initializer_list<QWidget*>{EditNick, EditPw, EditCity, EditEMail,
                                                      ComboContinent, ComboCountry, ComboSex})
        w->setEnabled(out);
    CheckGlobal->setEnabled(!out);
    CheckGlobal->setChecked(state_ == online::AccountState::GlobalRating);
    LampState->setLamp(static_cast<online::Lamp>(state_));
    LabelState->setText(word(out ? WordRow::NotLoggedIn : WordRow::LoggedIn));
    ButtonSave->setEnabled(!out && !fileThere_);
    ButtonDelete->setEnabled(fileThere_);
    ButtonRefresh->setEnabled(!out);
    ButtonTransfer->setEnabled(!out);
    ButtonEdit->setEnabled(!out);
}

void TFAcc1::showAccount(online::AccountState state, const online::Account& a) {
    state_ = state;
    const QSignalBlocker b1(EditNick), b2(EditPw), b3(EditCity), b4(EditEMail);
    EditNick->setText(fromBytes(a.Nick));
    EditPw->setText(fromBytes(a.Pw));
    EditCity->setText(fromBytes(a.City));
    EditEMail->setText(fromBytes(a.EMail));
    const auto [continent, number] = countryOf(a.Country2);
    ComboContinent->setCurrentIndex(continent - 1);
    fillCountries(ComboCountry, continent);
    ComboCountry->setCurrentIndex(number);
    ComboSex->setCurrentIndex(a.Sex == "W" ? 1 : 0);
    LabelDate->setText(fromBytes(a.DateR));
    if (state == online::AccountState::LoggedOut) {
        balance_.reset();
        LabelBalance->clear();
        LabelResults->clear();
    } else if (EditMember->text().isEmpty()) {
        EditMember->setText(fromBytes(a.Nick));
    }
    check();
}

void TFAcc1::showResults(const std::optional<online::GameResults>& results,
                         std::optional<std::int64_t> place, std::optional<std::int64_t> members) {
    if (!results) {
        LabelResults->setText(QStringLiteral("No Connect"));
        return;
    }
    const online::GameResults& r = *results;
    const auto line = [](WordRow caption, const QString& value) {
        return word(caption) + ": " + value + "\n";
    };
    QString text = line(WordRow::PlayerAccount, EditNick->text());
    text += line(WordRow::RatingAccount, QString::fromStdString(online::ratingText(r.Rating)));
    text += line(WordRow::Place, place ? QString::number(*place) : QStringLiteral("-"));
    text += line(WordRow::PlayedGames, QString::number(r.Kon));
    text += line(WordRow::MyBestScore, QString::number(r.Best));
    text += line(WordRow::PlayedCycles, QString::number(r.Sessions));
    text += line(WordRow::CurrentDeal, QString::number(r.KonL));
    text += line(WordRow::CurrentScore, QString::number(r.Score));
    if (members) text += word(WordRow::ClubMembers) + QString::number(*members);
    LabelResults->setText(text);
}

void TFAcc1::showTop(const std::optional<std::vector<online::TopRow>>& rows) {
    TopList->clearContents();
    if (!rows) {
        TopList->setRowCount(1);
        TopList->setItem(0, 1, new QTableWidgetItem(QStringLiteral("No Connect")));
        return;
    }
    TopList->setRowCount(static_cast<int>(rows->size()));
    int r = 0;
    for (const online::TopRow& row : *rows) {
        const auto country = online::countryByCode(row.Country);
        const QString cells[5] = {QString::number(r + 1) + ".", fromBytes(row.Nick),
                                  fromBytes(row.City),
                                  country ? fromBytes(country->name) : fromBytes(row.Country),
                                  QString::fromStdString(online::ratingText(row.Rating))};
        for (int c = 0; c < 5; ++c) TopList->setItem(r, c, new QTableWidgetItem(cells[c]));
        ++r;
    }
}

void TFAcc1::showBalance(std::optional<std::int64_t> balance) {
    if (balance) balance_ = balance;
    LabelBalance->setText(balance ? QString::number(*balance) : QStringLiteral("No Connect!"));
}

void TFAcc1::showPage(const QString& nick, const std::optional<online::PersonalPage>& page,
                      const QImage& photo, bool female) {
    MyPage->show(nick, page, photo, female);
}

void TFAcc1::showPresidentPage(const QString& nick, const std::optional<online::PersonalPage>& page,
                               const QImage& photo) {
    PresidentPage->show(nick, page, photo, false);
}

void TFAcc1::fileSaved(bool there) {
    fileThere_ = there;
    check();
}

void TFAcc1::loginOrSignOut() {
    if (state_ == online::AccountState::LoggedOut)
        emit loginWanted(typedAccount());
    else
        emit signOutWanted();
}

void TFAcc1::transfer() {
    const auto amount = online::transferAmount(fieldBytes(EditAmount->text())).value_or(0);
    const QString nick = EditReceiver->text();
    switch (online::checkTransfer(amount, balance_.value_or(0))) {
        case online::TransferCheck::NotEnough:
            showMessage(this, word(WordRow::NotEnoughZors));
            return;
        case online::TransferCheck::Empty:
            showMessage(this, word(WordRow::EmptyTransfer));
            return;
        case online::TransferCheck::Allowed:
            break;
    }
    // Zors sent to their own account would move nowhere.
    if (nick == EditNick->text()) {
        showMessage(this, word(WordRow::EmptyTransfer));
        return;
    }
    const std::string question =
        online::transferQuestion(word(WordRow::ReallyTransferQuestion).toStdString(),
                                 nick.toStdString(), amount, word(WordRow::Zors).toStdString());
    askYesNo(this, QString::fromStdString(question), [this, nick, amount](bool yes) {
        if (yes) emit transferWanted(nick, amount);
    });
}

PageView::PageView(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    nick_ = new QLabel(this);
    QFont bold = nick_->font();
    bold.setBold(true);
    nick_->setFont(bold);
    photo_ = new QLabel(this);
    photo_->setFixedSize(100, 125);
    grid->addWidget(nick_, 0, 0, 1, 2);
    grid->addWidget(photo_, 1, 2, static_cast<int>(online::kPageFields), 1, Qt::AlignTop);
    for (std::size_t i = 0; i < online::kPageFields; ++i) {
        grid->addWidget(new QLabel(word(pageFieldCaption(static_cast<online::PageField>(i))), this),
                        static_cast<int>(i) + 1, 0);
        auto* text = new QLabel(this);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        texts_.push_back(text);
        grid->addWidget(text, static_cast<int>(i) + 1, 1);
    }
}

void PageView::show(const QString& nick, const std::optional<online::PersonalPage>& page,
                    const QImage& photo, bool female) {
    nick_->setText(nick);
    for (std::size_t i = 0; i < texts_.size(); ++i)
        texts_[i]->setText(page ? fromBytes(page->fields[i]) : QString());
    hasPhoto_ = !photo.isNull();
    QPixmap shown(photo_->size());
    if (hasPhoto_) {
        shown = QPixmap::fromImage(
            photo.scaled(photo_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } else {
        // No photo: an empty frame with a man's or a woman's outline.
        shown.fill(Qt::transparent);
        QPainter p(&shown);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(120, 120, 120), 2));
        p.drawRect(shown.rect().adjusted(1, 1, -2, -2));
        const int w = shown.width(), h = shown.height();
        p.drawEllipse(QPoint(w / 2, h / 3), w / 6, h / 7);
        if (female) p.drawEllipse(QPoint(w / 2, h / 3 + h / 14), w / 4, h / 6);
        p.drawArc(QRect(w / 5, h / 2 + h / 12, w * 3 / 5, h / 2), 0, 180 * 16);
    }
    photo_->setPixmap(shown);
}

QString PageView::nick() const {
    return nick_->text();
}

QStringList PageView::texts() const {
    QStringList out;
    for (const auto* t : texts_) out << t->text();
    return out;
}

}  // namespace orvala::dialogs
