// orvala-tool bench: the behaviour signature of the card-play search. It solves a fixed set of
// seeded layouts and prints the total node count and a hash of the chosen slots; a change that
// alters either has changed what the computer plays.

#include <chrono>
#include <cstdio>

#include "commands.h"
#include "core/ai/search_samples.h"

namespace orvala::tool {

int runBench(Args& args) {
    args.finish();
    const auto start = std::chrono::steady_clock::now();
    const SignatureFigures f = SearchSignature();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("bench: layouts %d nodes %lld signature %016llx\n", f.layouts,
                static_cast<long long>(f.nodes), static_cast<unsigned long long>(f.hash));
    std::printf("bench: seconds %.3f nodes-per-second %.0f\n", seconds,
                seconds > 0 ? static_cast<double>(f.nodes) / seconds : 0.0);
    return 0;
}

}  // namespace orvala::tool
