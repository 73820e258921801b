#pragma once
// The settings of one run of the program: how "Orvala.ini" read at the start decides what its
// saves may do. A file that was there but could not be read (SettingsReadResult::Unreadable)
// may still hold the user's settings, which the run could not see: it is never saved over, so
// the run's defaults cannot replace them. A missing file, or one that read short or stopped at a
// guard, is written as usual.
//
// A demo run plays at the fastest speed without sound or music: those are its own choices, not the
// user's, and a save writes what was loaded plus the user's own changes. A field the demo set
// is saved with its loaded value unless the user has changed it since.

#include <string>

#include "core/settings/settings.h"
#include "core/settings/settings_file.h"

namespace orvala {

struct SettingsRun {
    SettingsReadResult loaded;
    bool demo = false;
    Settings asLoaded;  // the record as the file gave it, before a demo's own choices
};

// A demo's own choices: Speed 6, SoundOn and MusicOn off.
void applyDemoChoices(Settings& s);

// LoadSettings for the run, keeping how the file read; a demo then makes its own choices.
SettingsRun loadSettingsRun(const std::string& folder, Settings& s, bool demo = false);

// The record that a save of the run writes: `s` without the demo's own choices.
Settings recordToSave(const Settings& s, const SettingsRun& run);

// Whether a save may replace the file that loaded as `loaded`.
bool mayReplaceSettingsFile(const SettingsReadResult& loaded);

// SaveSettings of recordToSave(s, run), unless the file may not be replaced: then nothing is
// written and the result is FileUnreadable.
SettingsSaveResult saveSettingsRun(const std::string& folder, const Settings& s,
                                   const SettingsRun& run, const SettingsSaveHooks& hooks = {});

// Whether the user is told "Can`t save options!": the settings were to be written and are not,
// because the writing failed or the file may not be replaced. The club files' hold is not told.
bool settingsSaveFailed(SettingsSaveResult result);

}  // namespace orvala
