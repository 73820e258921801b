#pragma once
// The window's LAN table: opening it from the club's login form in network mode, the waiting
// form, the chat line, "Expectation of the server...", a player leaving, and closing the table.
// Once the table is seated the game is the club member's (`MemberGames::playFor`).

#include <QObject>
#include <cstddef>
#include <memory>

#include "app/feature.h"
#include "app/lan/lan_table.h"

class QLabel;

namespace orvala {
struct ClubMember;
}

namespace orvala::dialogs {
class LanLoginFields;
class TFormPassword;
struct LanStart;
}  // namespace orvala::dialogs

namespace orvala::lan {
class LanPeer;
}

namespace orvala::app {

class LanChatPanel;
class Shell;

class LanFeature final : public Feature {
    Q_OBJECT
  public:
    explicit LanFeature(Shell& shell);
    ~LanFeature() override;

    void screenShown(Screen screen) override;
    void layout() override;
    void tableReady() override;
    void controlsShown() override;
    void loginOpened(dialogs::TFormPassword& login) override;
    void shutDown() override;

    // The sockets of the table; null until a table was first opened.
    LanTable* lanTable() { return lan_.get(); }
    LanChatPanel* chatPanel() { return chat_; }
    QLabel* expectation() { return expectation_; }
    // The game at the LAN table; null when there is none.
    const lan::LanPeer* peer() const;

  private:
    void wireLanFields(dialogs::LanLoginFields* fields);
    void startLanTable(dialogs::TFormPassword* login, const ClubMember& member,
                       const dialogs::LanStart& start);
    void endLanTable();
    void lanInterrupted();
    void syncLan();
    // The seats the host's computer plays for lost machines carry its mark.
    void markSeats();
    void layoutLan();

    Shell& shell_;
    std::unique_ptr<LanTable> lan_;
    LanChatPanel* chat_ = nullptr;
    QLabel* expectation_ = nullptr;
    std::size_t chatHeard_ = 0;  // the chat lines whose sound has been played
};

}  // namespace orvala::app
