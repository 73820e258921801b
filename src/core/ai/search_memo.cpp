#include "core/ai/search_memo.h"

#include <algorithm>

namespace orvala {
namespace {

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return x;
}

}  // namespace

SearchMemo::SearchMemo(int log2Entries) {
    const int bits = std::clamp(log2Entries, 4, 26);
    entries_.assign(std::size_t{1} << bits, Entry{});
    mask_ = entries_.size() - 1;
}

std::size_t SearchMemo::slotOf(const MemoKey& key) const {
    const std::uint64_t h = mix(key.a ^ mix(key.b ^ (std::uint64_t{key.c} << 17)));
    return static_cast<std::size_t>(h) & mask_;
}

const std::array<std::int32_t, 3>* SearchMemo::find(const MemoKey& key) const {
    const Entry& e = entries_[slotOf(key)];
    return e.key == key ? &e.values : nullptr;
}

void SearchMemo::store(const MemoKey& key, const std::array<std::int32_t, 3>& values) {
    Entry& e = entries_[slotOf(key)];
    if ((e.key.b >> 63) == 0) ++used_;
    e.key = key;
    e.values = values;
}

void SearchMemo::clear() {
    std::fill(entries_.begin(), entries_.end(), Entry{});
    used_ = 0;
}

}  // namespace orvala
