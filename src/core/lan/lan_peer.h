#pragma once
// One machine of a LAN table: its session, its rules state and what it sends, without sockets.
//
// The socket layer hands it every read (`receive`, with the link it came on) and sends what
// `takeOutgoing` gives, in order; the window hands it the person's inputs (`input`). The peer
// answers the joining handshake, deals on the host, relays joiners' texts on the host, applies
// received steps and deals, writes the step messages of every local move, and makes the computer
// seat's moves that fall to this machine: with one joiner the host plays the computer seat
// wherever its own move or press hands it the turn, and the first joiner plays the computer
// seat's bid or card when its own move hands it on.
//
// A first joiner's move reaches the host before the copy for the second joiner, which the host
// passes on. Until that copy has gone through, the host takes no local input: a move of its own
// sent earlier would reach the second joiner ahead of the move it answers. A second joiner's
// move comes the other way round, the copy first: until the host's own message has come, what
// the first joiner sends (it may already answer the copy) is held, and the host waits too.
//
// Anything a peer sends that cannot be used (bytes that begin no message, a step the rules
// refuse, a step from a machine that does not act for the seat) ends the session: `aborted()`
// turns true with the reason, and the host tells its joiners "abort". The computer seat's
// questions are answered at once by `players`, and so is the person's contract unless the
// window asks the person (`askPersonsContract`): the question then waits for `input`.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/autopilot.h"
#include "core/game/players_port.h"
#include "core/game/random_source.h"
#include "core/game/rules_state.h"
#include "core/lan/chat_line.h"
#include "core/lan/framing.h"
#include "core/lan/game_log.h"
#include "core/lan/session.h"

namespace orvala::lan {

class LanPeer {
  public:
    LanPeer(Session session, PlayersPort& players, RandomSource& random);

    // The person's contract waits for an input (the window's dialog) instead of `players`.
    void askPersonsContract(bool ask) { askContract_ = ask; }
    // The players' answers are thought elsewhere (the window's worker thread): a question or the
    // computer seat's move that falls to this machine waits (`playersAwaited`) until
    // `playersMove`, run on a copy of the state, comes back as an input.
    void deferPlayers(bool defer) { defer_ = defer; }
    bool playersAwaited() const;
    // The answer thought elsewhere; false when the table has moved on and the rules refuse it.
    bool playersAnswered(const Input& in);
    int computerSeatHere() const { return computerSeat(); }
    // What the players answer in `s`: the pending question, else the computer seat's bid or card
    // (computerSeat from `computerSeatHere`); none when there is nothing to answer.
    static std::optional<Input> playersMove(const RulesState& s, int computerSeat,
                                            PlayersPort& players);

    // A joiner's first text once its connection is up.
    void connected();
    // Starts the game: the host (its rules given) deals the first deal; a seated joiner waits for
    // it. A joiner may ask before its seat reply has come: its game then starts the moment the
    // reply arrives, so that a deal following the reply in the same read finds it running. False
    // when the session is not ready (a host without joiners, a joiner not connecting).
    bool startGame(const PlayerStart& player, const RuleSettings& hostRules = {});

    // A local input of this machine's person. False when the rules refuse it.
    bool input(const Input& in);
    // One action of the autopilot for this machine's person, if it has one now (the host also
    // opens the next round). False when there is nothing to do here.
    bool autoplay(AutoPilot& pilot);
    void chat(std::string_view text);

    // Bytes read on a link: the host's connection 0 or 1, a joiner's -1.
    void receive(int from, std::string_view bytes);
    // A link closed. While a game runs that has not ended, a player has left: the session ends
    // as an abort, and the host tells the other joiner.
    void connectionLost();
    // The socket layer could not cut a link's bytes into messages: nothing after them can be
    // trusted, and the session ends by its abort path.
    void linkUnreadable() { abort("unreadable bytes from a peer"); }
    std::vector<Send> takeOutgoing();
    std::vector<TableEvent> takeEvents();

    const Session& session() const { return session_; }
    const RulesState& state() const { return s_; }
    // The game as this machine applied it, in the host's numbering.
    const GameLog& log() const { return log_; }
    const std::vector<ChatLine>& chatLines() const { return chatLines_; }
    bool aborted() const { return aborted_; }
    const std::string& abortReason() const { return abortReason_; }
    // The host waits for a relay copy before it may act.
    bool awaitingRelay() const { return awaitingRelay_; }
    // A trick completed by a received card waits for its hand-off before it is collected here.
    bool awaitingHandOff() const { return awaitingHandOff_; }
    bool gameOver() const { return s_.g.GameState == GameState::GameOver; }

  private:
    void receiveAsHost(int from, const std::string& m);
    void receiveAsJoiner(const std::string& m);
    void applyStep(std::string_view m);
    void abort(std::string reason);
    void releaseHeld();
    void run(const Input& in);
    void answerQuestions();
    void deal();
    void computerMoves();
    bool computerMoveDue() const;
    int computerSeat() const;
    void takeSeats();
    void send(int to, std::string bytes) { out_.push_back(Send{to, std::move(bytes)}); }
    void keep(std::vector<TableEvent> events);

    Session session_;
    PlayersPort& players_;
    RandomSource& random_;
    RulesState s_;
    GameLog log_;
    StreamReader readers_[2];
    std::vector<Send> out_;
    std::vector<TableEvent> events_;
    std::vector<ChatLine> chatLines_;
    bool aborted_ = false;
    bool askContract_ = false;
    bool defer_ = false;
    bool computerOwed_ = false;  // deferred: this machine's own move handed the computer its turn
    std::string abortReason_;
    bool awaitingRelay_ = false;
    std::optional<PlayerStart> pendingStart_;  // a joiner's start, asked before its seat came
    bool awaitingHandOff_ = false;  // a received card completed a trick; its hand-off is to come
    // The host has passed on the second joiner's copy and waits for its own; what the first
    // joiner sends meanwhile is held.
    bool awaitingSecondsMove_ = false;
    std::string heldFromFirst_;
};

}  // namespace orvala::lan
