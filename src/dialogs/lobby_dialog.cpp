#include "dialogs/lobby_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include "core/tourney/frames.h"

namespace orvala::dialogs {
namespace {

QString yesNo(bool on) {
    return on ? word(WordRow::Yes) : word(WordRow::NoLobby);
}

// The server's lamp: a green disc when it is on, a red one when off.
QPixmap lampPicture(bool on) {
    QPixmap p(24, 24);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(on ? QColor(40, 200, 40) : QColor(210, 30, 30));
    painter.drawEllipse(2, 2, 20, 20);
    return p;
}

}  // namespace

int welcomePointSize(int length) {
    if (length > 54) return 20;
    if (length > 39) return 24;
    return 28;
}

QString tableRulesHint(int table) {
    const RuleSettings r = tourney::tableRules(table);
    QStringList lines;
    lines << word(WordRow::StartWith500Points) + ": " + yesNo(r.RuleStartWith500);
    lines << word(WordRow::RoundingPointsTo5th) + ": " + yesNo(r.RuleRoundToFive);
    lines << word(WordRow::Bolt) + ": " +
                 (r.RuleBolts ? yesNo(true) + ", " + QString::number(r.RuleBoltPenaltyMode)
                              : yesNo(false));
    lines << word(WordRow::SitOnTheBarrel) + ": " + yesNo(r.RuleBarrel);
    lines << word(WordRow::Painting) + ": " + yesNo(r.RulePainting);
    return lines.join('\n');
}

TFormLobby::TFormLobby(bool administrator, QWidget* parent)
    : AuxDialog(word(WordRow::WorldOnlineTournament), parent) {
    setObjectName("TFormLobby");
    auto* top = new QVBoxLayout(this);

    auto* head = new QHBoxLayout;
    ServerLamp = new QLabel(this);
    ServerLamp->setObjectName("ServerLamp");
    Welcome = new QLabel(this);
    Welcome->setObjectName("Welcome");
    head->addWidget(ServerLamp);
    head->addWidget(Welcome, 1);
    top->addLayout(head);
    setServerOn(false);

    auto* grid = new QGridLayout;
    for (int t = 1; t <= 10; ++t) {
        // Tables 1..5 on the left, 6..10 on the right.
        const int row = (t - 1) % 5, column = (t - 1) / 5 * 4;
        auto* caption = new QLabel(word(WordRow::Table) + " " + QString::number(t), this);
        caption->setObjectName(QString("Table%1").arg(t));
        caption->setToolTip(tableRulesHint(t));
        captions_[static_cast<std::size_t>(t - 1)] = caption;
        grid->addWidget(caption, row, column);
        for (int s = 1; s <= 3; ++s) {
            auto* b = dialogButton(word(WordRow::ServerOff), this);
            b->setObjectName(QString("Seat%1_%2").arg(t).arg(s));
            b->setToolTip(caption->toolTip());
            b->setEnabled(false);
            b->setMinimumWidth(150);
            connect(b, &QAbstractButton::clicked, this, [this, t, s] { emit seatPressed(t, s); });
            seats_[static_cast<std::size_t>(t - 1)][static_cast<std::size_t>(s - 1)] = b;
            grid->addWidget(b, row, column + s);
        }
    }
    top->addLayout(grid);

    Results = new QLabel(this);
    Results->setObjectName("Results");
    Results->hide();
    top->addWidget(Results);

    if (administrator) {
        Address = new QLineEdit(this);
        Address->setObjectName("Address");
        top->addWidget(Address);
    }

    auto* foot = new QHBoxLayout;
    BRefresh = dialogButton(WordRow::Refresh, this);
    BTop = dialogButton(WordRow::Top10, this);
    BResults = dialogButton(WordRow::MyResults, this);
    BClose = dialogButton(WordRow::Close, this);
    for (auto* b : {BRefresh, BTop, BResults, BClose}) foot->addWidget(b);
    top->addLayout(foot);
    connect(BRefresh, &QAbstractButton::clicked, this, &TFormLobby::refreshPressed);
    connect(BTop, &QAbstractButton::clicked, this, &TFormLobby::topPressed);
    connect(BResults, &QAbstractButton::clicked, this, &TFormLobby::resultsPressed);
    connect(BClose, &QAbstractButton::clicked, this, &QDialog::close);
}

void TFormLobby::setWelcome(const QString& text) {
    QFont f = Welcome->font();
    f.setPointSize(welcomePointSize(static_cast<int>(text.size())));
    Welcome->setFont(f);
    Welcome->setText(text);
}

void TFormLobby::setServerOn(bool on) {
    serverOn_ = on;
    ServerLamp->setPixmap(lampPicture(on));
    ServerLamp->setToolTip(word(on ? WordRow::ServerOn : WordRow::ServerOff));
}

void TFormLobby::setSeat(int table, int seat, const QString& caption, bool enabled) {
    auto* b = seatButton(table, seat);
    if (!b) return;
    b->setText(caption);
    b->setEnabled(enabled);
}

void TFormLobby::setControlsEnabled(bool enabled) {
    for (auto* b : {BRefresh, BClose, BTop}) b->setEnabled(enabled);
}

void TFormLobby::setResults(const QStringList& lines) {
    Results->setText(lines.join('\n'));
    Results->setVisible(!lines.isEmpty());
}

QStringList TFormLobby::results() const {
    return Results->text().isEmpty() ? QStringList{} : Results->text().split('\n');
}

QString TFormLobby::typedAddress() const {
    return Address ? Address->text().trimmed() : QString();
}

table::TZorCardsButton* TFormLobby::seatButton(int table, int seat) const {
    if (table < 1 || table > 10 || seat < 1 || seat > 3) return nullptr;
    return seats_[static_cast<std::size_t>(table - 1)][static_cast<std::size_t>(seat - 1)];
}

QLabel* TFormLobby::tableCaption(int table) const {
    if (table < 1 || table > 10) return nullptr;
    return captions_[static_cast<std::size_t>(table - 1)];
}

}  // namespace orvala::dialogs
