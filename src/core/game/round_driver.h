#pragma once
// The round driver: the state machine that carries a deal from the shuffle to the scoring, and a
// game from its first deal to its end. It owns the game record and GameState, the captions and
// enabled states of the two action buttons, the game timer's interval and state, and the help
// topic.
//
// Its inputs are plain calls — a timer tick, a press of Button7 or Button8, a click on a slot of
// the person's hand — and each runs one rule step to its end. Its outputs are table events
// (takeEvents) and questions to the players port. Presses and clicks that do not fit the state
// do nothing.

#include <string>
#include <vector>

#include "core/game/game_record.h"
#include "core/game/players_port.h"
#include "core/game/random_source.h"
#include "core/game/rule_settings.h"
#include "core/game/table_events.h"

namespace orvala {

enum class GameKind { VsComputer, Lan, Tournament };

struct ButtonState {
    Caption caption;
    bool enabled = false;
    bool visible = false;
    friend bool operator==(const ButtonState&, const ButtonState&) = default;
};

struct TimerState {
    int intervalMs = 20;  // 20 ms on the menu, 200 ms in the auction, 300 ms in play
    bool enabled = true;
    friend bool operator==(const TimerState&, const TimerState&) = default;
};

// Context numbers of the help file.
enum class HelpTopic { MainMenu = 1, Deal = 2, Bidding = 5, Scoring = 10 };

enum class MouseButton { Left, Right };

// Who starts a new game: the local player's name, stored game counter and accumulated result
// (a guest has neither).
struct PlayerStart {
    std::string name = "Player";
    int storedGameCounter = 0;
    int playerTotal = 0;
};

class RoundDriver {
public:
    RoundDriver(PlayersPort& players, RandomSource& random);
    RoundDriver(const RoundDriver&) = delete;
    RoundDriver& operator=(const RoundDriver&) = delete;

    // The house rules, read each time a rule applies.
    void setRules(const RuleSettings& rules) { rules_ = rules; }
    const RuleSettings& rules() const { return rules_; }
    void setGameKind(GameKind kind) { kind_ = kind; }
    GameKind gameKind() const { return kind_; }

    // A new game: every score reset, then the first deal.
    void startNewGame(const PlayerStart& player);

    void tick();
    void pressButton7();
    void pressButton8();
    // A click released on the person's hand; slot 0 is outside any card.
    void clickHand(int slot, MouseButton button);
    // A right click on a face-up card on the table speaks it.
    void clickTableCard(Card card);
    // "Exit to menu", once the person has confirmed it.
    void exitToMenu();

    // Whether the card in this slot of the person's hand may be played now (cursor feedback).
    bool canPlaySlot(int slot) const;

    const GameRecord& record() const { return g_; }
    const ButtonState& button7() const { return button7_; }
    const ButtonState& button8() const { return button8_; }
    const TimerState& timer() const { return timer_; }
    HelpTopic helpTopic() const { return help_; }

    // The events produced since the last call, in order.
    std::vector<TableEvent> takeEvents();
    bool hasPendingEvents() const { return !events_.empty(); }
    const std::vector<TableEvent>& pendingEvents() const { return events_; }

private:
    // Rule steps, one small function each (deal_step, bidding_step, talon_step, trick_step,
    // scoring_step).
    void NewDeal(bool continueGame);
    void startBidding();
    void BidStep(int seat, bool raise);
    void ShowAuctionWinner();
    void OpenTalon();
    void TakeTalon();
    void chooseGiveCard(int slot);
    void GiveCards();
    void RevealGiven();
    void askHumanContract();
    void AnnounceContract();
    void Paint();
    void PlayCard(int seat, int slot);
    void ResolveTrick();
    void CollectTrick();
    void ResortAllHands();
    void ScoreDeal();
    void leaveToMenu();

    void computerBid(int seat);
    void computerPlay(int seat);
    GiveChoice checkedGiveChoice(int seat);
    int firstLegalSlot(int seat) const;
    bool isLegalSlot(int seat, int slot) const;

    void post(TableEvent e) { events_.push_back(std::move(e)); }
    void redrawHand(int seat);
    void sound(std::string_view name, ev::SoundTiming timing);
    void bubbleText(int seat, WordRow row, std::string suffix = {});
    void bubbleName(int seat);
    void showScore(int seat, int contract = 0);
    void showRoundInfo();
    void setButton(ButtonState& b, WordRow row, bool enabled, std::string suffix = {});
    bool humanDeclares() const { return g_.Declarer == 3; }

    PlayersPort& players_;
    RandomSource& random_;
    RuleSettings rules_;
    GameKind kind_ = GameKind::VsComputer;
    GameRecord g_;
    ButtonState button7_;
    ButtonState button8_;
    TimerState timer_;
    HelpTopic help_ = HelpTopic::MainMenu;
    std::vector<TableEvent> events_;
};

}  // namespace orvala
