#include "app/features.h"

namespace orvala::app {

std::vector<std::unique_ptr<Feature>> makeFeatures(Shell& shell) {
    std::vector<std::unique_ptr<Feature>> list;
    (void)shell;
    return list;
}

}  // namespace orvala::app
