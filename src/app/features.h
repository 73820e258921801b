#pragma once
// The list of the window's features, built in one place.

#include <memory>
#include <vector>

#include "app/feature.h"

namespace orvala::app {

class Shell;

// Every feature of the window, in the order the window calls their hooks.
std::vector<std::unique_ptr<Feature>> makeFeatures(Shell& shell);

}  // namespace orvala::app
