#pragma once
// One function per orvala-tool command; each returns the process exit status.

#include "args.h"

namespace orvala::tool {

int runDeal(Args& args);
int runScore(Args& args);
int runBidLimit(Args& args);
int runGive(Args& args);
int runSettings(Args& args);
int runWords(Args& args);
int runSolve(Args& args);
int runSelfplay(Args& args);
int runMatch(Args& args);
int runBench(Args& args);
int runGifInfo(Args& args);
int runCalendar(Args& args);
int runSounds(Args& args);
int runVoices(Args& args);
int runClub(Args& args);
int runHistory(Args& args);
int runReplay(Args& args);
int runLan(Args& args);
int runTourney(Args& args);
#ifdef ORVALA_TOOL_ONLINE
int runOnline(Args& args);
int runChat(Args& args);
#endif

}  // namespace orvala::tool
