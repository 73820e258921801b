#pragma once
// "Help" and "About" of the right-button menu. Help opens the help document at the topic of
// what the player is doing (the main menu, a fresh deal, the auction and play, the scoring),
// after an apology in English, the one language the document is not written in. About shows the
// program's name, the build's version, its licence and the libraries it uses.

#include <QPointer>

#include "app/feature.h"
#include "core/game/rules_state.h"
#include "dialogs/about_dialog.h"
#include "dialogs/help_dialog.h"
#include "dialogs/message_window.h"

namespace orvala::app {

class Shell;

// The anchor of a topic in the help document ("topic5").
QString helpAnchor(HelpTopic topic);
// What the about box lists: the build's version, the licence, and the libraries the program
// links or loads.
dialogs::AboutInfo aboutInfo();

class HelpFeature final : public Feature {
  public:
    explicit HelpFeature(Shell& shell);

    void contextMenu(ContextMenu& menu) override;

    // The help topic of the moment: the menu's on the title and the menu, else the rules'.
    HelpTopic topic() const;
    // The help window at the topic of the moment (one window: an open one turns to the topic).
    void ShowHelp();
    void ShowAbout();
    dialogs::THelpForm* helpWindow() const { return help_; }
    dialogs::TFormAbout* aboutWindow() const { return about_; }
    dialogs::MessageWindow* apology() const { return apology_; }

  private:
    void openHelp();

    Shell& shell_;
    QPointer<dialogs::THelpForm> help_;
    QPointer<dialogs::TFormAbout> about_;
    QPointer<dialogs::MessageWindow> apology_;
};

}  // namespace orvala::app
