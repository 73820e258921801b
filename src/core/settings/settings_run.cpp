#include "core/settings/settings_run.h"

namespace orvala {

namespace {

// Every field a demo sets for itself, with the value it sets: the one list that both the
// choosing and the saving go by.
template <class F>
void forEachDemoChoice(F&& f) {
    f(&Settings::Speed, 6);
    f(&Settings::SoundOn, false);
    f(&Settings::MusicOn, false);
}

}  // namespace

void applyDemoChoices(Settings& s) {
    forEachDemoChoice([&](auto field, auto value) { s.*field = value; });
}

SettingsRun loadSettingsRun(const std::string& folder, Settings& s, bool demo) {
    SettingsRun run;
    run.loaded = LoadSettings(folder, s);
    run.demo = demo;
    run.asLoaded = s;
    if (demo) applyDemoChoices(s);
    return run;
}

Settings recordToSave(const Settings& s, const SettingsRun& run) {
    Settings out = s;
    if (run.demo)
        forEachDemoChoice([&](auto field, auto value) {
            if (s.*field == value) out.*field = run.asLoaded.*field;
        });
    return out;
}

bool mayReplaceSettingsFile(const SettingsReadResult& loaded) {
    return loaded.outcome != SettingsReadResult::Outcome::Unreadable;
}

SettingsSaveResult saveSettingsRun(const std::string& folder, const Settings& s,
                                   const SettingsRun& run, const SettingsSaveHooks& hooks) {
    if (!mayReplaceSettingsFile(run.loaded)) {
        // The tune's file goes at every normal end, whether the settings may be written or not.
        if (hooks.deleteTemporaryMusicFile) hooks.deleteTemporaryMusicFile();
        return SettingsSaveResult::FileUnreadable;
    }
    return SaveSettings(folder, recordToSave(s, run), hooks);
}

bool settingsSaveFailed(SettingsSaveResult result) {
    return result == SettingsSaveResult::Failed || result == SettingsSaveResult::FileUnreadable;
}

}  // namespace orvala
