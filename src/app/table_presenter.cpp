#include "app/table_presenter.h"

#include <QDate>

#include "table/settings_text.h"
#include "table/word_text.h"

namespace orvala::app {
namespace {

// The bubble colour of a speech text: bids and marriages blue, "Pass" green, "Painting" red.
char bubbleColour(WordRow row) {
    if (row == WordRow::Pass) return 'g';
    if (row == WordRow::Painting) return 'r';
    return 'b';
}

}  // namespace

TablePresenter::TablePresenter(table::TableView& view, OpenHandsToggle& openHands, QObject* parent)
    : QObject(parent), view_(view), openHands_(openHands) {}

QString TablePresenter::Speech::text() const {
    return caption ? table::captionText(*caption) : name;
}

void TablePresenter::forget() {
    hands_ = {};
    counts_ = {};
    panels_ = {};
    speech_ = {};
    computerMark_ = {};
    dealOpen_ = false;
    dealNumber_ = 0;
    trump_ = kNoSuit;
    onTable_.clear();
}

void TablePresenter::drawHand(int seat) {
    const bool open = seat != 3 && (openHands_.on() || dealOpen_);
    view_.drawHand(seat, hands_[static_cast<size_t>(seat)], counts_[static_cast<size_t>(seat)],
                   open);
}

void TablePresenter::putCard(const Place& p, Card c) {
    view_.drawAt(p, c);
    onTable_.emplace_back(p, c);
}

std::optional<Card> TablePresenter::cardOnTableAt(QPoint p) const {
    // The card drawn last lies on top.
    for (auto it = onTable_.rbegin(); it != onTable_.rend(); ++it)
        if (QRect(view_.placePoint(it->first), view_.cardSize()).contains(p)) return it->second;
    return std::nullopt;
}

std::vector<Card> TablePresenter::cardsOnTable() const {
    std::vector<Card> cards;
    for (const auto& [place, card] : onTable_) cards.push_back(card);
    return cards;
}

void TablePresenter::takeCard(const Place& p) {
    view_.clearAt(p);
    std::erase_if(onTable_, [&](const auto& pc) {
        return pc.first.kind == p.kind && pc.first.index == p.index;
    });
}

void TablePresenter::shakeCard(int slot, int dx) {
    view_.drawHand(3, hands_[3], counts_[3], true, table::CardShift{slot, dx});
    emit changed();
}

void TablePresenter::redrawComputerHands() {
    for (int s = 1; s <= 2; ++s) drawHand(s);
    emit changed();
}

void TablePresenter::redrawAll() {
    view_.clearAll();
    for (int s = 1; s <= 3; ++s) {
        drawHand(s);
        if (panels_[static_cast<size_t>(s)].shown) drawPanel(s, true);
        const Speech& sp = speech_[static_cast<size_t>(s)];
        view_.speech(s, speechText(s), sp.colour);
    }
    if (dealNumber_ > 0) view_.dealInfo(dealNumber_, trump_);
    for (const auto& [place, card] : onTable_) view_.drawAt(place, card);
    emit changed();
}

QString TablePresenter::speechText(int seat) const {
    const Speech& sp = speech_[static_cast<size_t>(seat)];
    // A seat the computer plays for a lost machine: its name with the computer's mark.
    if (computerMark_[static_cast<size_t>(seat)] && !sp.caption && !sp.name.isEmpty())
        return sp.name.trimmed() + " (PC)";
    return sp.text();
}

void TablePresenter::markComputer(int seat, bool on) {
    if (seat < 1 || seat > 3 || computerMark_[static_cast<size_t>(seat)] == on) return;
    computerMark_[static_cast<size_t>(seat)] = on;
    const Speech& sp = speech_[static_cast<size_t>(seat)];
    view_.speech(seat, speechText(seat), sp.colour);
    emit changed();
}

void TablePresenter::renamePerson(const std::string& name) {
    Speech& sp = speech_[3];
    if (sp.caption || sp.name.isEmpty()) return;
    sp.name = table::fromSettingsText(name);
    view_.speech(3, speechText(3), sp.colour);
    emit changed();
}

void TablePresenter::show(const TableEvent& e) {
    std::visit(
        [&](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, ev::ResetTable>) {
                view_.chooseBack(QDate::currentDate().dayOfWeek());
                view_.clearAll();
                openHands_.reset();  // every deal starts with the hands closed
                dealOpen_ = false;
                onTable_.clear();
            } else if constexpr (std::is_same_v<T, ev::ShowHand>) {
                hands_[static_cast<size_t>(x.seat)] = x.hand;
                counts_[static_cast<size_t>(x.seat)] = x.count;
                drawHand(x.seat);
            } else if constexpr (std::is_same_v<T, ev::Bubble>) {
                Speech& sp = speech_[static_cast<size_t>(x.seat)];
                if (x.kind == ev::Bubble::Kind::Clear)
                    sp = Speech{};
                else if (x.kind == ev::Bubble::Kind::Name)
                    sp = Speech{std::nullopt, table::fromSettingsText(x.name), 'y'};
                else
                    sp = Speech{x.text, QString(), bubbleColour(x.text.row)};
                view_.speech(x.seat, speechText(x.seat), sp.colour);
            } else if constexpr (std::is_same_v<T, ev::ShowScore>) {
                Panel& p = panels_[static_cast<size_t>(x.seat)];
                p = Panel{x.score,  x.dealPoints, x.contract, x.turnMark,
                          x.barrel, x.boltCount,  false,      true};
                drawPanel(x.seat, true);
            } else if constexpr (std::is_same_v<T, ev::ShowBid>) {
                Panel& p = panels_[static_cast<size_t>(x.seat)];
                p.figure = x.bid;
                p.turnMark = x.bid.has_value();
                drawPanel(x.seat, false);
            } else if constexpr (std::is_same_v<T, ev::ShowDealPoints>) {
                Panel& p = panels_[static_cast<size_t>(x.seat)];
                p.dealPoints = x.points;
                p.turnMark = x.turnMark;
                drawPanel(x.seat, false);
            } else if constexpr (std::is_same_v<T, ev::MarkFirstBidder>) {
                for (int s = 1; s <= 3; ++s) {
                    panels_[static_cast<size_t>(s)].turnMark = s == x.seat;
                    drawPanel(s, false);
                }
            } else if constexpr (std::is_same_v<T, ev::ShowRoundInfo>) {
                dealNumber_ = x.dealNumber;
                trump_ = x.trump;
                view_.dealInfo(x.dealNumber, x.trump);
            } else if constexpr (std::is_same_v<T, ev::MarkCard>) {
                view_.markCard(x.slot);
            } else if constexpr (std::is_same_v<T, ev::OpenAllHands>) {
                dealOpen_ = true;
                for (int s = 1; s <= 2; ++s) {
                    hands_[static_cast<size_t>(s)] = x.hands[static_cast<size_t>(s)];
                    counts_[static_cast<size_t>(s)] = x.counts[static_cast<size_t>(s)];
                    drawHand(s);
                }
            } else if constexpr (std::is_same_v<T, ev::ShowFinalResults>) {
                for (int s = 1; s <= 3; ++s) {
                    Panel& p = panels_[static_cast<size_t>(s)];
                    p.score = x.scores[static_cast<size_t>(s)];
                    p.dealPoints = x.results[static_cast<size_t>(s)];
                    p.figure.reset();
                    p.turnMark = false;
                    p.finalColours = true;
                    drawPanel(s, false);
                }
            } else if constexpr (std::is_same_v<T, ev::ReturnToMenu>) {
                emit returnToMenu();
            }
            // Sounds, the score summary, spoken card names and the end-of-game records come
            // with their own work; flights, pauses and refusals are the event player's.
        },
        e);
    emit changed();
}

void TablePresenter::drawPanel(int seat, bool whole) {
    const Panel& p = panels_[static_cast<size_t>(seat)];
    table::PanelUpdate u;
    u.redrawPanel = whole;
    u.turnMark = p.turnMark;
    u.dealPoints = table::PanelNumber::show(p.dealPoints);
    u.score = table::PanelNumber::show(p.score);
    u.bid = p.figure ? table::PanelNumber::show(*p.figure) : table::PanelNumber::erase();
    u.finalColours = p.finalColours;
    u.barrel = p.barrel;
    u.bolts = p.bolts;
    view_.scoreboard(seat, u);
}

}  // namespace orvala::app
