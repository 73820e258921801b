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
//
// The host's connections are numbered by the socket layer, each its own number. A connection
// takes a seat only when its join request is answered; one that sends what begins no message
// before that is to be closed (`takeClosing`) and takes nothing. A joiner whose link is lost
// while the game runs does not end it: the host's computer plays that seat from then on (the
// same players as the computer seat's), and the others are told ("w", rejoin_messages.h). The
// same person may come back: a join request under that seat's name gets a resume (the game log
// and who plays what) instead of a seat reply, once nothing is half-passed between the machines
// and the other joiner has acknowledged the return, and from then on the person plays the seat
// again. A lost host still ends the game for its joiners.

#include <map>
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
    // The seat whose bid or card this machine's computer makes now, 0 when none.
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
    // when the session is not ready (a host without joiners, a joiner not connecting). A joiner
    // that came back has its game from the resume: starting only gives it the person's counters.
    bool startGame(const PlayerStart& player, const RuleSettings& hostRules = {});

    // A local input of this machine's person. False when the rules refuse it.
    bool input(const Input& in);
    // One action of the autopilot for this machine's person, if it has one now (the host also
    // opens the next round). False when there is nothing to do here.
    bool autoplay(AutoPilot& pilot);
    void chat(std::string_view text);

    // Bytes read on a link: on the host, its connection's number (0 or more); a joiner's -1.
    void receive(int from, std::string_view bytes);
    // A link closed. A joiner's host gone while a game runs that has not ended: the session ends
    // as an abort. On the host, a seated joiner's link lost while the game runs: its computer
    // plays the seat; before the game begins, the session ends as an abort.
    void connectionLost(int from);
    // The socket layer could not cut a link's bytes into messages: nothing after them can be
    // trusted. A seated machine's session ends by its abort path; a connection that holds no
    // seat is only closed.
    void linkUnreadable(int from);
    std::vector<Send> takeOutgoing();
    std::vector<TableEvent> takeEvents();
    // The host's connections to close: ones that sent what begins no message before they held a
    // seat.
    std::vector<int> takeClosing();
    // Whether a host's connection holds a seat (or is being given one back).
    bool holdsSeat(int connection) const;

    // Who plays a seat changed: `machine` (the first or second joiner) is now played by the
    // host's computer, or is back. Every machine of the table reports it.
    struct SeatChange {
        NetRole machine = NetRole::None;
        bool computer = true;
        friend bool operator==(const SeatChange&, const SeatChange&) = default;
    };
    std::vector<SeatChange> takeSeatChanges();
    // The seats (this machine's numbering) whose machine is lost and which the host's computer
    // plays.
    bool standIn(int seat) const;
    // A joiner that came back: its game was rebuilt from the host's resume.
    bool resumed() const { return resumed_; }

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
    struct Connection {
        StreamReader reader{false};
        int link = -1;  // the seat's link (0 the first joiner, 1 the second), -1 none
    };
    void receiveAsHost(int link, const std::string& m);
    void receiveUnseated(int connection, const std::string& m);
    void takeOver(int link);
    void resumeIfReady();
    bool settled() const;
    bool playsHere(int seat) const;
    void resumeFrom(const std::string& m);
    void post(Send s);
    void noteSeat(const SeatChange& c);
    void sendMoves(const RulesState& before);
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
    void send(int to, std::string bytes) { post(Send{to, std::move(bytes)}); }
    void keep(std::vector<TableEvent> events);

    Session session_;
    PlayersPort& players_;
    RandomSource& random_;
    RulesState s_;
    GameLog log_;
    StreamReader joinerReader_;
    std::map<int, Connection> connections_;  // the host's
    std::array<int, 2> links_{-1, -1};        // the host's: each seat link's connection
    std::array<bool, 4> standIn_{};           // the host's seats 1..2 that its computer plays
    // A lost machine's person back: the connection and link it gets once the resume can go.
    struct Rejoin {
        int connection = -1;
        int link = -1;
        bool acknowledged = false;
    };
    std::optional<Rejoin> rejoin_;
    std::vector<int> closing_;
    std::vector<SeatChange> seatChanges_;
    bool resumed_ = false;
    // The first joiner's last action, applied here before its copy for the second joiner came:
    // if the first joiner is lost before the copy, the host tells the second joiner itself.
    std::vector<Move> relayOwed_;
    RulesState relayOwedAfter_;
    // The second joiner's copy for the first, held until its own message has come.
    std::vector<std::string> heldCopies_;
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
    int handOffFrom_ = -1;          // the host's: the link that owes it
    // The host has passed on the second joiner's copy and waits for its own; what the first
    // joiner sends meanwhile is held.
    bool awaitingSecondsMove_ = false;
    std::string heldFromFirst_;
};

}  // namespace orvala::lan
