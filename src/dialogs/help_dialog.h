#pragma once
// THelpForm, the help window: the help document, opened at the topic of what the player is
// doing, with links between its topics, and "Ok". It only shows what it is given.

#include <QString>

#include "dialogs/dialog_kit.h"

class QTextBrowser;

namespace orvala::dialogs {

struct HelpPage {
    QString html;    // the whole document
    QString anchor;  // the topic shown first: the name of an anchor in the document
};

class THelpForm final : public AuxDialog {
    Q_OBJECT
  public:
    explicit THelpForm(const HelpPage& page, QWidget* parent = nullptr);

    // Shows another topic of the same document.
    void showTopic(const QString& anchor);
    const QString& topic() const { return topic_; }

    QTextBrowser* TextHelp = nullptr;
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"

  private:
    QString topic_;
};

}  // namespace orvala::dialogs
