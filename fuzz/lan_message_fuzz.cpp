// Fuzz target of the LAN readers. Any bytes go to every message reader (the resume and the seat
// notices too), to the stream reader whole and cut in two, and to the host (on a seated
// connection and on one that holds no seat) and the joiner of a running two-machine table. Nothing
// may crash; a deal that reads must write back to the same bytes' deal; both ways of reading the
// stream must give the same messages, each of its kind's length; and whatever the peers make of
// the bytes, their rules states stay consistent. A broken property aborts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/game/random_players.h"
#include "core/lan/chat_line.h"
#include "core/lan/deal_message.h"
#include "core/lan/framing.h"
#include "core/lan/lan_peer.h"
#include "core/lan/rejoin_messages.h"
#include "core/lan/step_message.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "LAN reader property broken: %s\n", what);
        std::abort();
    }
}

void readers(std::string_view bytes) {
    using namespace orvala::lan;
    const StepParse step = parseStep(bytes);
    require(step.step.has_value() == step.error.empty(), "a step reads with an error");
    const DealParse deal = parseDeal(bytes);
    if (deal.deal) require(parseDeal(dealMessage(*deal.deal)).deal == deal.deal, "deal round trip");
    if (const auto chat = parseChat(bytes))
        require(chat->text.size() <= kChatTextMax && chat->text.find('#') == std::string::npos,
                "chat text");
    const ResumeParse resume = parseResume(bytes);
    require(resume.resume.has_value() == resume.error.empty(), "a resume reads with an error");
    if (resume.resume)
        require(parseResume(resumeMessage(*resume.resume)).resume == resume.resume,
                "resume round trip");
    if (const auto notice = parseSeatNotice(bytes))
        require(seatNotice(*notice) == bytes, "seat notice round trip");
    Session host = hostListening("Host");
    if (!hostOnJoinRequest(host, bytes).empty()) require(host.joinedCount == 0, "join count");
    Session joiner = joinerConnecting("Anna");
    if (joinerOnSeatReply(joiner, bytes))
        require(joiner.role == NetRole::FirstJoiner || joiner.role == NetRole::SecondJoiner,
                "role");

    StreamReader whole, cut;
    const auto all = whole.feed(bytes);
    auto parts = cut.feed(bytes.substr(0, bytes.size() / 2));
    for (auto& m : cut.feed(bytes.substr(bytes.size() / 2))) parts.push_back(m);
    require(all == parts && whole.broken() == cut.broken(), "a cut stream reads differently");
    for (const auto& m : all) require(messageLength(m) == m.size(), "a message of a wrong length");
}

void peers(std::string_view bytes) {
    using namespace orvala;
    using namespace orvala::lan;
    SeededRandom random(1);
    RandomPlayers players(random);
    LanPeer host(hostListening("Host"), players, random);
    LanPeer joiner(joinerConnecting("Anna"), players, random);
    joiner.connected();
    for (const Send& s : joiner.takeOutgoing()) host.receive(0, s.bytes);
    for (const Send& s : host.takeOutgoing()) joiner.receive(kToHost, s.bytes);
    joiner.startGame(PlayerStart{"Anna"});
    host.startGame(PlayerStart{"Host"});
    for (const Send& s : host.takeOutgoing()) joiner.receive(kToHost, s.bytes);
    require(!joiner.aborted() && joiner.state().g.DealNumber == 1, "the table did not start");

    host.receive(0, bytes);
    // A connection that holds no seat: whatever it sends, it takes none and ends nothing.
    host.receive(9, bytes);
    require(!host.holdsSeat(9) || host.session().joinedCount == 1, "a stray took a seat");
    joiner.receive(kToHost, bytes);
    require(!checkConsistency(host.state().g) && !checkConsistency(joiner.state().g),
            "a peer's rules state broke");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readers(bytes);
    peers(bytes);
    return 0;
}
