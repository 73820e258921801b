#pragma once
// The settings of one run of the program: how "Orvala.ini" read at the start decides what its
// saves may do. A file that was there but could not be read (SettingsReadResult::Unreadable)
// may still hold the user's settings, which the run could not see: it is never saved over, so
// the run's defaults cannot replace them. A missing file, or one that read short or stopped at a
// guard, is written as usual.

#include <string>

#include "core/settings/settings.h"
#include "core/settings/settings_file.h"

namespace orvala {

struct SettingsRun {
    SettingsReadResult loaded;
};

// LoadSettings for the run, keeping how the file read.
SettingsRun loadSettingsRun(const std::string& folder, Settings& s);

// Whether a save may replace the file that loaded as `loaded`.
bool mayReplaceSettingsFile(const SettingsReadResult& loaded);

// SaveSettings, unless the file may not be replaced: then nothing is written and the result is
// FileUnreadable.
SettingsSaveResult saveSettingsRun(const std::string& folder, const Settings& s,
                                   const SettingsRun& run, const SettingsSaveHooks& hooks = {});

}  // namespace orvala
