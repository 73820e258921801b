#pragma once
// The login form's LAN fields, shown when "Multiplayer" is on: the role ("Server / Client"), the
// host's address and port, and the list of this machine's addresses for a host to tell its
// friends.
//
// The fields filter as they are typed and keep the last good values in the settings
// (ServerAddress, ServerPort): a change that brings a character the field does not take puts
// the remembered value back. Choosing the host clears and disables the address; choosing the
// joiner fills it with the remembered address.

#include <QWidget>

#include "core/settings/settings.h"

class QLineEdit;
class QToolButton;

namespace orvala::dialogs {

class RadioGroup;

class LanLoginFields final : public QWidget {
    Q_OBJECT
  public:
    LanLoginFields(Settings& settings, QWidget* parent = nullptr);

    bool host() const;
    void setHost(bool host);
    // The six read-only lines, each with its hint; lines beyond six are cut.
    void showAddresses(const QStringList& lines, const QStringList& hints);

    RadioGroup* RadioGroup1 = nullptr;  // "Server / Client"
    QLineEdit* EditIP = nullptr;        // "Enter IP of server:"
    QLineEdit* EditPort = nullptr;      // "Enter Port of server:"
    QWidget* ButtonIP = nullptr;        // "To receive the IP-addresses"
    QToolButton* ButtonHelp = nullptr;  // "?"
    QLineEdit* Addresses[6] = {};

  signals:
    void addressesAsked();
    void helpAsked();

  private:
    Settings& settings_;
};

}  // namespace orvala::dialogs
