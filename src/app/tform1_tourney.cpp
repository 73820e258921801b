// The main window's part of the online tournament: the menu's cup and the lobby it opens.

#include <QPainter>
#include <QToolButton>

#include "app/tform1.h"
#include "dialogs/message_window.h"
#include "net/service_url.h"
#include "table/word_text.h"

namespace orvala::app {

void TForm1::createTourneyIcon() {
    TourneyIcon = new QToolButton(this);
    TourneyIcon->setObjectName("TourneyIcon");
    TourneyIcon->setAutoRaise(true);
    TourneyIcon->setToolTip(word(WordRow::WorldOnlineTournament));
    // A golden cup on its stand.
    QPixmap cup(64, 64);
    cup.fill(Qt::transparent);
    QPainter p(&cup);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gold(235, 190, 40);
    p.setPen(QPen(gold.darker(170), 2));
    p.setBrush(gold);
    p.drawChord(QRect(12, -4, 40, 44), 180 * 16, 180 * 16);
    p.drawRect(29, 40, 6, 10);
    p.drawRect(20, 50, 24, 6);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(4, 20, 14, 14), 90 * 16, 180 * 16);
    p.drawArc(QRect(46, 20, 14, 14), 270 * 16, 180 * 16);
    p.end();
    TourneyIcon->setIcon(cup);
    TourneyIcon->hide();
    connect(TourneyIcon, &QToolButton::clicked, this, &TForm1::ShowTourney);
}

void TForm1::ShowTourney() {
    PlaySoundEvent(Wave::WOpenFo, false);
    if (accountState_ == online::AccountState::LoggedOut || !account_) {
        dialogs::showMessage(this, word(WordRow::LogInToYourAccount));
        return;
    }
    if (tourney_) {
        if (tourney_->dialog()) tourney_->dialog()->raise();
        return;
    }
    TourneyLobby::Setup setup;
    setup.account = *account_;
    setup.administrator = account_->Nick == online::kTourneyAdministrator;
    setup.serviceBase = net::serviceUrl().toString();
    setup.failed = [this] { PlaySoundEvent(Wave::WWrongs, false); };
    tourney_ = new TourneyLobby(*online_, std::move(setup), this);
    connect(tourney_, &TourneyLobby::closed, tourney_, &QObject::deleteLater);
    tourney_->open();
}

}  // namespace orvala::app
