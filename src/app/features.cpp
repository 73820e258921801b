#include "app/features.h"

#include "app/access/access_feature.h"
#include "app/chat/chat_feature.h"
#include "app/help/help_feature.h"
#include "app/lan/lan_feature.h"
#include "app/online/online_feature.h"
#include "app/options/options_feature.h"
#include "app/radio/radio_feature.h"
#include "app/recording/recording_feature.h"
#include "app/records/records_feature.h"
#include "app/replay/replay_feature.h"
#include "app/tourney/tourney_feature.h"

namespace orvala::app {

std::vector<std::unique_ptr<Feature>> makeFeatures(Shell& shell) {
    std::vector<std::unique_ptr<Feature>> list;
    // The club first: its start-up check writes a first run's club files (which the start-up
    // report and every settings save ask for) and may end the program; its score summary also
    // comes before the recording samples a still table.
    list.push_back(std::make_unique<RecordsFeature>(shell));
    list.push_back(std::make_unique<OnlineFeature>(shell));
    list.push_back(std::make_unique<TourneyFeature>(shell));
    list.push_back(std::make_unique<LanFeature>(shell));
    list.push_back(std::make_unique<RecordingFeature>(shell));
    // Each game's log, written once a deal is scored, and the kept games shown again.
    list.push_back(std::make_unique<ReplayFeature>(shell));
    list.push_back(std::make_unique<OptionsFeature>(shell));
    list.push_back(std::make_unique<RadioFeature>(shell));
    // The chat watch after the world panel: on the calendar's beat the hints turn first.
    list.push_back(std::make_unique<ChatFeature>(shell));
    list.push_back(std::make_unique<HelpFeature>(shell));
    // Last: the keys and the screen reader's words take every other feature's captions and
    // hints as they are set.
    list.push_back(std::make_unique<AccessFeature>(shell));
    return list;
}

}  // namespace orvala::app
