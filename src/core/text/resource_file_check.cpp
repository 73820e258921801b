#include "core/text/resource_file_check.h"

#include <vector>

namespace orvala {
namespace {

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> b) : b_(b) {}
    bool has(std::uint64_t at, std::uint64_t n) const {
        return at <= b_.size() && n <= b_.size() - at;
    }
    std::uint32_t u32(std::uint64_t at) const {
        return (std::uint32_t{b_[at]} << 24) | (std::uint32_t{b_[at + 1]} << 16) |
               (std::uint32_t{b_[at + 2]} << 8) | std::uint32_t{b_[at + 3]};
    }
    std::uint16_t u16(std::uint64_t at) const {
        return static_cast<std::uint16_t>((b_[at] << 8) | b_[at + 1]);
    }
    std::size_t size() const { return b_.size(); }

  private:
    std::span<const std::uint8_t> b_;
};

constexpr std::uint16_t kFolder = 0x02;
// The family's libraries store pictures as they are (PNG and JPEG pack no further); a packed
// entry could claim any unpacked size, so it is refused.
constexpr std::uint16_t kPacked = 0x01 | 0x04;

ResourceFileCheck fail(std::string why) {
    ResourceFileCheck r;
    r.problem = std::move(why);
    return r;
}

}  // namespace

ResourceFileCheck checkResourceFile(std::span<const std::uint8_t> bytes) {
    const Reader r(bytes);
    // Step 1. The header.
    if (!r.has(0, 20)) return fail("shorter than a header");
    if (bytes[0] != 'q' || bytes[1] != 'r' || bytes[2] != 'e' || bytes[3] != 's')
        return fail("not a resource file");
    const std::uint32_t version = r.u32(4);
    if (version < 1 || version > 3) return fail("unknown version");
    if (version == 3 && !r.has(0, 24)) return fail("shorter than a header");
    const std::uint64_t tree = r.u32(8), data = r.u32(12), names = r.u32(16);
    const std::uint64_t entrySize = version >= 2 ? 22 : 14;
    if (!r.has(tree, entrySize) || data > r.size() || names > r.size())
        return fail("offsets outside the file");

    // Step 2. Walk the tree from its root, every entry inside the file and visited once:
    // children always follow their folder, so an index at or before the folder's is refused.
    ResourceFileCheck out;
    struct Pending {
        std::uint64_t index;
        int depth;
    };
    std::vector<Pending> todo{{0, 0}};
    int seen = 0;
    while (!todo.empty()) {
        const Pending p = todo.back();
        todo.pop_back();
        if (++seen > kMaxResourceEntries) return fail("too many entries");
        const std::uint64_t at = tree + p.index * entrySize;
        if (!r.has(at, entrySize)) return fail("an entry outside the file");
        const std::uint16_t flags = r.u16(at + 4);
        std::string leafName;
        if (p.index != 0) {
            const std::uint64_t name = names + r.u32(at);
            if (!r.has(name, 6)) return fail("a name outside the file");
            const std::uint64_t units = r.u16(name);
            if (units == 0) return fail("an entry without a name");
            if (units > kMaxResourceNameUnits) return fail("a name too long");
            if (!r.has(name + 6, units * 2)) return fail("a name runs past the end");
            for (std::uint64_t u = 0; u < units; ++u) {
                const std::uint16_t unit = r.u16(name + 6 + 2 * u);
                if (unit == '/') return fail("a name with a slash");
                leafName.push_back(unit < 128 ? static_cast<char>(unit) : '?');
            }
        }
        if (flags & kFolder) {
            const std::uint64_t count = r.u32(at + 6), first = r.u32(at + 10);
            if (p.depth >= kMaxResourceDepth) return fail("folders nested too deep");
            if (count > static_cast<std::uint64_t>(kMaxResourceEntries))
                return fail("too many entries");
            if (count > 0 && first <= p.index) return fail("a folder's children come before it");
            if (count > 0 && !r.has(tree + first * entrySize, count * entrySize))
                return fail("a folder's children lie outside the file");
            for (std::uint64_t c = 0; c < count; ++c) todo.push_back({first + c, p.depth + 1});
        } else {
            if (p.index == 0) return fail("the root is not a folder");
            if (flags & kPacked) return fail("a packed picture");
            const std::uint64_t datum = data + r.u32(at + 10);
            if (!r.has(datum, 4)) return fail("a picture outside the file");
            if (!r.has(datum + 4, r.u32(datum))) return fail("a picture runs past the end");
            ++out.files;
            out.leaves.push_back({std::move(leafName), static_cast<std::size_t>(datum + 4),
                                  static_cast<std::size_t>(r.u32(datum))});
        }
    }
    out.ok = true;
    return out;
}

}  // namespace orvala
