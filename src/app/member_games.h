#pragma once
// A club member's game, as the features that seat a member ask for it (the menu's login, the LAN
// table once it is seated); the feature that keeps the club provides it to the shell.

namespace orvala {
struct ClubMember;
}

namespace orvala::app {

class MemberGames {
  public:
    virtual ~MemberGames() = default;
    // A game for `member`, of the network club when `network`, from the menu.
    virtual void playFor(const ClubMember& member, bool network) = 0;
    // A game at once for the member logged in, or for the settings' player name.
    virtual void play() = 0;
};

}  // namespace orvala::app
