#pragma once
// The statistics window's errands: it opens TFStat, reads the counters through the web client
// and sends the like. A like that was taken sets StatisticsSent; a nick typed for it becomes the
// passport nick. `settingsChanged` follows any change of the settings.

#include <functional>

#include "core/settings/settings.h"
#include "dialogs/stat_dialog.h"
#include "net/online_client.h"

namespace orvala::app {

dialogs::TFStat* openStatistics(QWidget* parent, net::OnlineClient& client, Settings& settings,
                                std::function<void()> settingsChanged = {});

}  // namespace orvala::app
