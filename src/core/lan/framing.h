#pragma once
// Cutting a TCP byte stream back into whole messages.
//
// TCP may join several writes into one read and split one write over several. Every message of
// the protocol has a length fixed by its first bytes, so the formats stay as they are and need
// no separator: a step message is 38 bytes ("h"), a deal 127 ("b"), a chat line 17 ("s", padded
// with "#"), the abort notice 5, a join request 21 ("zor"), a seat reply 28 ("connect2") and a
// seat update 27 ("connect3"), a seat notice 3 ("w"); a resume ("r") says its own length in its
// first seven bytes. So two or three step messages read together are 76 or 114 bytes
// and come out one by one, in order.
//
// `StreamReader` keeps at most one incomplete message (under 127 bytes, or a resume's declared
// length, which is bounded). Bytes that begin no known
// message make the stream unusable: the reader reports it and takes nothing more, and the
// session ends by its abort path, since nothing after such bytes can be trusted to line up.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvala::lan {

inline constexpr std::size_t kLongestMessage = 127;

// The whole length of the message that `head` begins: 0 when `head` is too short to tell, and
// nullopt when no message begins so.
std::optional<std::size_t> messageLength(std::string_view head);

class StreamReader {
  public:
    // A host's reader takes no resume (only the host sends one): the bytes that would begin one
    // are unreadable, so nobody can make it hold a long message.
    explicit StreamReader(bool resumes = true) : resumes_(resumes) {}

    // Takes a read and returns the messages it completes, in order.
    std::vector<std::string> feed(std::string_view bytes);
    bool broken() const { return broken_; }
    std::size_t buffered() const { return buffer_.size(); }

  private:
    std::string buffer_;
    bool broken_ = false;
    bool resumes_ = true;
};

}  // namespace orvala::lan
