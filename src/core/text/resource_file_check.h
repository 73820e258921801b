#pragma once
// A check of a picture library's bytes before the resource system maps them. A library is a
// Qt binary resource file; one that was cut short by a download or damaged on disk could make the
// resource system read past its end, so every offset and length in the file's tree is checked
// against the file first. Plain C++: no Qt is needed to read the format.
//
// The format (all numbers big-endian): a header "qres", version (1..3), the offsets of the tree,
// the data and the names, and from version 3 a flags word. The tree is a list of entries
// (14 bytes, 22 from version 2): name offset (4), flags (2), then for a folder the child count
// (4) and the first child's index (4), else language and country (2 + 2) and the data offset
// (4); from version 2 a modification time (8). A name is a length (2), a hash (4) and that many
// UTF-16 units; a datum is a length (4) and that many bytes.
//
// Every entry but the root needs a name, of at most kMaxResourceNameUnits units and without a
// "/": an entry named "" or "/" would stand for its own folder again, and a listing of the
// library would never end.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvala {

struct ResourceFileCheck {
    bool ok = false;
    std::string problem;  // what is wrong, for the log; empty when ok
    int files = 0;        // the pictures (leaves) the file holds
    // Every leaf: its own name (a unit outside ASCII as "?") and where its bytes lie.
    struct Leaf {
        std::string name;
        std::size_t offset = 0;
        std::size_t size = 0;
    };
    std::vector<Leaf> leaves;
};

// Limits: a library of the family has a few thousand pictures in one or two folders.
inline constexpr int kMaxResourceEntries = 100000;
inline constexpr int kMaxResourceDepth = 16;
inline constexpr int kMaxResourceNameUnits = 255;  // the libraries' own names are short

ResourceFileCheck checkResourceFile(std::span<const std::uint8_t> bytes);

}  // namespace orvala
