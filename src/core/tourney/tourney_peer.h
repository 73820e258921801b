#pragma once
// One player at a tournament table, without sockets: its rules state and what it sends to the
// game server.
//
// The socket layer hands it every read from the server (`receive`) and sends what
// `takeOutgoing` gives, in order; the person's inputs (or the autopilot's) come through `input`.
// The player plays as the LAN code's machine of its seat (frames.h) with three people at the
// table: every move it makes goes out as one step message per other seat, addressed by that
// seat's tournament number, and every step the server passes on is applied with `ApplyStep`.
// The server deals; the first seat's "Next Round" asks it for the next deal ("bnext").
//
// The game ends as over ("e", or the game's end reached here), aborted (a player left, the
// server's bytes or steps cannot be used) or timed out (a player's move clock ran out).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/autopilot.h"
#include "core/game/players_port.h"
#include "core/game/rules_state.h"
#include "core/lan/chat_line.h"
#include "core/lan/game_log.h"
#include "core/lan/session.h"
#include "core/tourney/frames.h"

namespace orvala::tourney {

enum class Ending { None, GameOver, Aborted, TimedOut };

class TourneyPeer {
  public:
    // `names` are the nicks of tournament seats 1..3 (index 0 unused), shown as seat names.
    TourneyPeer(int table, int seat, PlayersPort& players, PlayerStart player);

    void setNames(const std::array<std::string, 4>& names);
    // The person's contract waits for an input (the window's dialog) instead of `players`.
    void askPersonsContract(bool ask) { askContract_ = ask; }
    // The first frame once the connection is up.
    void connected();

    bool input(const Input& in);
    // One action of the autopilot for this seat, if it has one now (seat 1 also asks for the
    // next round). False when there is nothing to do here.
    bool autoplay(AutoPilot& pilot);
    void chat(std::string_view text);
    // This seat's own clock ran out: "TOut", and the game is over for it.
    void timeUp();
    // Leaving the table: "disA".
    void leave();

    void receive(std::string_view bytes);
    // The connection closed.
    void connectionLost();

    std::vector<std::string> takeOutgoing();
    // What the rules showed since the last call, for the window to play; kept only once asked
    // for (the headless players show nothing).
    void collectEvents(bool on) { collect_ = on; }
    std::vector<TableEvent> takeEvents();
    // Deals and steps applied or made so far: the move clock starts again at each.
    int steps() const { return steps_; }

    const RulesState& state() const { return s_; }
    // The game as this seat has seen it, in the tournament's seat numbering (the LAN host's).
    const lan::GameLog& log() const { return log_; }
    lan::NetRole role() const { return session_.role; }
    int seat() const { return seat_; }
    Ending ending() const { return ending_; }
    const std::string& endReason() const { return endReason_; }
    // The seat that left or ran out of time, 0 otherwise.
    int endingSeat() const { return endingSeat_; }
    // Each line with its sender's tournament seat.
    const std::vector<lan::ChatLine>& chatLines() const { return chatLines_; }
    // A trick completed by a received card waits for its hand-off before it is collected here.
    bool awaitingHandOff() const { return awaitingHandOff_; }
    bool gameOver() const { return s_.g.GameState == GameState::GameOver; }
    // This seat connected again mid-game and its game was rebuilt from the server's resume.
    bool resumed() const { return resumed_; }
    // The server said the game is over ("e"): every seat has it, and leaving now loses nothing.
    bool serverEnded() const { return serverEnded_; }
    // The result report that seat 1 sends when the finished game is left (empty elsewhere).
    std::string resultFrame() const;
    // Seat 1 leaving the finished game: the report goes out (once).
    void reportResult();

  private:
    void run(const Input& in);
    void applyDeal(const std::string& frame);
    void applyStep(const std::string& frame);
    void applyResume(const std::string& frame);
    void end(Ending e, std::string reason, int seat = 0);
    void send(std::string frame) { out_.push_back(std::move(frame)); }
    void keep(std::vector<TableEvent> events);

    int table_;
    int seat_;
    PlayersPort& players_;
    PlayerStart player_;
    lan::Session session_;
    RulesState s_;
    lan::GameLog log_;
    ServerFrameReader reader_;
    std::vector<std::string> out_;
    std::vector<TableEvent> events_;
    int steps_ = 0;
    bool askContract_ = false;
    bool collect_ = false;
    bool resumed_ = false;
    std::vector<lan::ChatLine> chatLines_;
    Ending ending_ = Ending::None;
    std::string endReason_;
    int endingSeat_ = 0;
    bool awaitingHandOff_ = false;
    bool askedNext_ = false;
    bool serverEnded_ = false;
    bool reported_ = false;
};

}  // namespace orvala::tourney
