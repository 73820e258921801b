#include "core/lan/routing.h"

namespace orvala::lan {

StepRoute routeTo(NetRole sender, NetRole receiver) {
    if (sender == NetRole::Host)
        return StepRoute{receiver, receiver == NetRole::FirstJoiner ? 0 : 1, '2'};
    return StepRoute{receiver, -1, receiver == NetRole::Host ? '1' : '3'};
}

std::vector<StepRoute> stepRoutes(NetRole sender, int actorHostSeat, bool threePeople) {
    std::vector<StepRoute> out;
    for (int view = 1; view <= 2; ++view) {
        // The machine that sees the actor as its seat `view` sits `view` seats before it.
        const int viewerHostSeat = (actorHostSeat - view + 2) % 3 + 1;
        const NetRole viewer = roleAtHostSeat(viewerHostSeat, threePeople);
        if (viewer == NetRole::None || viewer == sender) continue;
        out.push_back(routeTo(sender, viewer));
    }
    return out;
}

std::vector<int> sendExceptTargets(NetRole role, int fromSeat, int joinedCount) {
    if (role != NetRole::Host) return {-1};
    std::vector<int> out;
    if (fromSeat != 2) out.push_back(0);
    if (fromSeat != 3 && joinedCount >= 1) out.push_back(1);
    if (fromSeat != 4 && joinedCount >= 2) out.push_back(2);
    return out;
}

int digitOnConnection(int connection) {
    return connection + 2;
}

}  // namespace orvala::lan
