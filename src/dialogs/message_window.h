#pragma once
// The message window: "Attention", up to three lines and "Ok". It opens window-modal over its
// parent and returns at once; `closed` is emitted when it goes, however it is closed. Its
// object name is "message". Lines are plain text; a third line that is a web address (http or
// https) is a link, opened in the browser when clicked. The window is never narrower than its
// caption needs.

#include <QStringList>
#include <QUrl>

#include "dialogs/dialog_kit.h"

namespace orvala::dialogs {

class MessageWindow final : public AuxDialog {
    Q_OBJECT
  public:
    // Empty lines are left out, and only the first three count.
    explicit MessageWindow(const QStringList& lines, QWidget* parent = nullptr);

    const QStringList& lines() const { return lines_; }
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"

    // The web address a line stands for when it is one (http or https with a host), else empty.
    static QUrl webLink(const QString& line);

  signals:
    void closed();

  private:
    QStringList lines_;
};

// Opens a message window over parent (null: over the whole application).
MessageWindow* showMessage(QWidget* parent, const QString& line1, const QString& line2 = {},
                           const QString& line3 = {});

}  // namespace orvala::dialogs
