#pragma once
// The start-up login: when the account file names an account, the account is read from the
// service with the file's nick and password. `done` gets the account on success and nothing
// when there is no usable file, the service refuses or does not answer; nothing is said.

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "core/online/operations.h"
#include "net/online_client.h"

namespace orvala::app {

void startupLogin(net::OnlineClient& client, const std::string& accountFile,
                  std::function<void(std::optional<online::Account>)> done,
                  QObject* context = nullptr);

}  // namespace orvala::app
