#pragma once
// The search's transposition table: positions at trick boundaries (the mover to lead, below the
// root, holding two or more cards) and the three values of the line the search chose there.
//
// The key holds everything such a value depends on: the three hands as card sets, who is to
// move, the declarer, the trump, the contract, the pruning flag, the suit order the hands were
// sorted in (which decides ties), and from the scores the declarer's shortfall against the
// contract and whether any points were taken (the defenders' points shift values by a constant,
// which the search takes off before storing). So a hit is always exact, whatever layout or
// search filled the entry, and the memo may stay warm across layouts and searches.
//
// A fixed number of entries, allocated once; when two positions meet in the same place the newer
// one stays. Memory is 32 bytes an entry.

#include <array>
#include <cstdint>
#include <vector>

namespace orvala {

struct MemoKey {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::uint32_t c = 0;  // a used entry has bit 63 of b set
    friend bool operator==(const MemoKey&, const MemoKey&) = default;
};

class SearchMemo {
  public:
    // Room for 2^log2Entries entries (at least 2^4).
    explicit SearchMemo(int log2Entries = 17);

    // The stored values for the key, or nullptr.
    const std::array<std::int32_t, 3>* find(const MemoKey& key) const;
    void store(const MemoKey& key, const std::array<std::int32_t, 3>& values);
    // A hint that the key will be looked up soon.
    void prefetch(const MemoKey& key) const {
#if defined(__GNUC__)
        __builtin_prefetch(&entries_[slotOf(key)]);
#else
        (void)key;
#endif
    }
    void clear();

    std::size_t capacity() const {
        return entries_.size();
    }
    std::size_t used() const {
        return used_;
    }

  private:
    struct Entry {
        MemoKey key;
        std::array<std::int32_t, 3> values;
    };
    std::size_t slotOf(const MemoKey& key) const;

    std::vector<Entry> entries_;
    std::size_t mask_ = 0;
    std::size_t used_ = 0;
};

}  // namespace orvala
