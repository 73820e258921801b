#include "core/settings/settings_run.h"

namespace orvala {

SettingsRun loadSettingsRun(const std::string& folder, Settings& s) {
    return {LoadSettings(folder, s)};
}

bool mayReplaceSettingsFile(const SettingsReadResult& loaded) {
    return loaded.outcome != SettingsReadResult::Outcome::Unreadable;
}

SettingsSaveResult saveSettingsRun(const std::string& folder, const Settings& s,
                                   const SettingsRun& run, const SettingsSaveHooks& hooks) {
    if (!mayReplaceSettingsFile(run.loaded)) return SettingsSaveResult::FileUnreadable;
    return SaveSettings(folder, s, hooks);
}

}  // namespace orvala
