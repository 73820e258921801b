#include "core/game/shuffle.h"

namespace orvala {

Card cardOfShuffleNumber(int n) {
    // Shuffle numbers go by rank groups of four: 9, 10, J, Q, K, A.
    static constexpr std::array<int, 6> kGroupRank = {1, 5, 2, 3, 4, 6};
    return makeCard(kGroupRank[static_cast<size_t>((n - 1) / 4)], (n - 1) % 4 + 1);
}

std::array<Card, 25> Shuffle(RandomSource& random) {
    random.reseed();
    std::array<bool, 25> placed{};
    std::array<Card, 25> deck{};
    deck = {};
    for (int pos = 1; pos <= 24; ++pos) {
        int n = random.uniform(1, 24);
        while (placed[n]) n = random.uniform(1, 24);
        placed[n] = true;
        deck[pos] = cardOfShuffleNumber(n);
    }
    return deck;
}

}  // namespace orvala
