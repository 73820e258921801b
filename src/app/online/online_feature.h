#pragma once
// The window's side of the web service: the configuration page read at start-up (its addresses
// go back into the settings), the start-up report and the login of the account that
// "ZorUser.zor" names; the menu's account star and the account window; the statistics window of
// the right-button menu; the menu's world panel and the world top ten.

#include <QString>

#include "app/feature.h"

class QToolButton;

namespace orvala::app {

class Shell;
class WorldPanel;

class OnlineFeature final : public Feature {
  public:
    explicit OnlineFeature(Shell& shell);

    void screenShown(Screen screen) override;
    void contextMenu(ContextMenu& menu) override;
    void applyLanguage() override;
    void layout() override;
    // A new service address: the client's addresses are the new service's, whose page is read.
    void optionChanged(dialogs::OptionChange what) override;

    // The account window, from the star on the menu.
    void ShowAccount();
    // The statistics window, from the right-button menu.
    void ShowStatistics();
    // The world top ten, from a click on the world panel.
    void ShowWorldTopTen();
    WorldPanel& worldPanel() { return *world_; }
    // The star in the account's colour, on the menu only.
    QToolButton* AccountIcon = nullptr;

  private:
    // "ZorUser.zor", in the folder above the program folder.
    QString accountFile() const;
    // The configuration page of the service in use; its addresses go into the settings, and
    // `then` follows.
    void readConfiguration(std::function<void()> then);
    void startupReport();
    void accountStartup();
    void createAccountIcon();
    void showAccountState();
    void createWorldPanel();
    // The account changed: the star, and the world's facts when the menu shows them.
    void accountChanged();

    Shell& shell_;
    WorldPanel* world_ = nullptr;  // the window's child
};

}  // namespace orvala::app
