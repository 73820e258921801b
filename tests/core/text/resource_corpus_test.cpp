// The picture-library check over small resource files made here byte by byte: the fuzz target's
// checked-in corpus is replayed through its entry point (which aborts on a broken property), the
// known-good files must pass and the known-bad ones fail, and damaged copies of the good ones are
// checked safely. The corpus is what `resourceCorpus()` makes; after a deliberate change, write
// it again with ORVALA_REGENERATE_CORPUS=1 build/bin/test_text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/text/atomic_file.h"
#include "core/text/resource_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvala {
namespace {

// A resource tree: a folder has children, a picture has bytes. Names are ASCII.
struct Node {
    std::string name;
    bool folder = false;
    std::vector<Node> children;
    std::string data;
};

Node picture(std::string name, std::string data) {
    return {std::move(name), false, {}, std::move(data)};
}
Node folder(std::string name, std::vector<Node> children) {
    return {std::move(name), true, std::move(children), {}};
}

void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v >> 8 & 0xff);
    out += static_cast<char>(v & 0xff);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v >> 16);
    put16(out, v & 0xffff);
}

// The resource system's name hash, by which a folder's children are sorted.
std::uint32_t nameHash(const std::string& name) {
    std::uint32_t h = 0;
    for (unsigned char c : name) {
        h = (h << 4) + c;
        h ^= (h & 0xf0000000u) >> 23;
        h &= 0x0fffffffu;
    }
    return h;
}

struct Built {
    std::string bytes;
    std::uint32_t tree = 0, data = 0, names = 0, entrySize = 0;
};

// Header, pictures, names, then the tree, whose folders list their children as consecutive
// entries after every entry before them (breadth first, as the resource compiler writes them).
Built build(const Node& root, int version) {
    std::vector<const Node*> order{&root};
    std::vector<std::uint32_t> firstChild;
    for (size_t i = 0; i < order.size(); ++i) {
        firstChild.push_back(static_cast<std::uint32_t>(order.size()));
        std::vector<const Node*> children;
        for (const Node& c : order[i]->children) children.push_back(&c);
        std::stable_sort(children.begin(), children.end(), [](const Node* a, const Node* b) {
            return nameHash(a->name) < nameHash(b->name);
        });
        order.insert(order.end(), children.begin(), children.end());
    }
    std::string data, names;
    std::vector<std::uint32_t> dataAt(order.size()), nameAt(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const Node& n = *order[i];
        if (i > 0) {
            nameAt[i] = static_cast<std::uint32_t>(names.size());
            put16(names, static_cast<std::uint32_t>(n.name.size()));
            put32(names, nameHash(n.name));
            for (unsigned char c : n.name) put16(names, c);
        }
        if (!n.folder) {
            dataAt[i] = static_cast<std::uint32_t>(data.size());
            put32(data, static_cast<std::uint32_t>(n.data.size()));
            data += n.data;
        }
    }
    Built b;
    b.entrySize = version >= 2 ? 22 : 14;
    b.data = version >= 3 ? 24 : 20;
    b.names = b.data + static_cast<std::uint32_t>(data.size());
    b.tree = b.names + static_cast<std::uint32_t>(names.size());
    b.bytes = "qres";
    for (std::uint32_t v : {std::uint32_t(version), b.tree, b.data, b.names}) put32(b.bytes, v);
    if (version >= 3) put32(b.bytes, 0);
    b.bytes += data + names;
    for (size_t i = 0; i < order.size(); ++i) {
        const Node& n = *order[i];
        put32(b.bytes, nameAt[i]);
        put16(b.bytes, n.folder ? 0x02 : 0);
        if (n.folder) {
            put32(b.bytes, static_cast<std::uint32_t>(n.children.size()));
            put32(b.bytes, firstChild[i]);
        } else {
            put16(b.bytes, 0);  // any territory
            put16(b.bytes, 1);  // the language-neutral "C" locale
            put32(b.bytes, dataAt[i]);
        }
        if (version >= 2) b.bytes.append(8, '\0');  // no modification time
    }
    return b;
}

// A picture's bytes need not be a real picture for the check.
const std::string kPng = std::string("\x89PNG\r\n\x1a\n", 8) + "small picture";

Node cardsTree() {
    return folder("", {picture("Fon03Gr", "background"),
                       folder("faces", {picture("Pi5AMedB", kPng), picture("Ch09MedB", kPng)})});
}

void set32(std::string& bytes, size_t at, std::uint32_t v) {
    std::string be;
    put32(be, v);
    bytes.replace(at, 4, be);
}

// The corpus: "good_" files must pass the check, "bad_" files must fail it.
std::vector<std::pair<std::string, std::string>> resourceCorpus() {
    std::vector<std::pair<std::string, std::string>> files;
    const Built v2 = build(cardsTree(), 2);
    files.emplace_back("good_folders_v2.rcc", v2.bytes);
    files.emplace_back("good_folders_v1.rcc", build(cardsTree(), 1).bytes);
    files.emplace_back("good_one_picture_v3.rcc",
                       build(folder("", {picture("BGLilu", kPng)}), 3).bytes);
    files.emplace_back("good_empty_root.rcc", build(folder("", {}), 2).bytes);

    files.emplace_back("bad_header_only.rcc", v2.bytes.substr(0, 20));
    files.emplace_back("bad_last_byte_missing.rcc", v2.bytes.substr(0, v2.bytes.size() - 1));
    files.emplace_back("bad_not_a_library.rcc", std::string("PK\x03\x04", 4) + v2.bytes.substr(4));
    std::string b = v2.bytes;
    set32(b, 4, 4);  // a version nobody writes
    files.emplace_back("bad_version.rcc", b);
    b = v2.bytes;
    set32(b, v2.tree + 10, 0);  // the root's children start at the root itself
    files.emplace_back("bad_child_before_folder.rcc", b);
    b = v2.bytes;
    set32(b, v2.tree + 6, 0x7fffffff);  // the root claims more children than there are
    files.emplace_back("bad_child_count.rcc", b);
    b = v2.bytes;
    set32(b, v2.data, 0xfffffff0);  // the first picture runs past the end
    files.emplace_back("bad_picture_length.rcc", b);
    const Built one = build(folder("", {picture("BGLilu", kPng)}), 2);
    b = one.bytes;
    b[one.tree + one.entrySize + 5] = 0x01;  // a packed picture
    files.emplace_back("bad_packed_picture.rcc", b);
    files.emplace_back("bad_empty_folder_name.rcc",
                       build(folder("", {folder("", {picture("Kr4KMed", kPng)})}), 2).bytes);
    files.emplace_back("bad_empty_picture_name.rcc",
                       build(folder("", {picture("", kPng)}), 1).bytes);
    files.emplace_back("bad_slash_folder_name.rcc",
                       build(folder("", {folder("/", {picture("Kr4KMed", kPng)})}), 2).bytes);
    return files;
}

std::span<const std::uint8_t> bytesOf(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

int feed(const std::string& bytes) {
    return LLVMFuzzerTestOneInput(bytesOf(bytes).data(), bytes.size());
}

TEST(ResourceFileCheck, EntriesWithoutANameAreRefused) {
    const auto named = checkResourceFile(bytesOf(build(cardsTree(), 2).bytes));
    EXPECT_TRUE(named.ok) << named.problem;
    EXPECT_EQ(named.files, 3);
    // A folder named "" or "/" would list itself again and again.
    for (const Node& root : {folder("", {folder("", {picture("Kr4KMed", kPng)})}),
                             folder("", {folder("faces", {picture("", kPng)})})})
        EXPECT_EQ(checkResourceFile(bytesOf(build(root, 2).bytes)).problem,
                  "an entry without a name");
    for (const char* name : {"/", "faces/", "a/b"})
        EXPECT_EQ(
            checkResourceFile(bytesOf(build(folder("", {folder(name, {})}), 1).bytes)).problem,
            "a name with a slash");
    EXPECT_EQ(checkResourceFile(
                  bytesOf(build(folder("", {picture(std::string(256, 'x'), kPng)}), 2).bytes))
                  .problem,
              "a name too long");
    EXPECT_TRUE(checkResourceFile(
                    bytesOf(build(folder("", {picture(std::string(255, 'x'), kPng)}), 2).bytes))
                    .ok);
}

TEST(ResourceCorpus, TheCheckedInFilesAreTheGeneratedOnes) {
    const std::filesystem::path dir = ORVALA_RESOURCE_CORPUS;
    if (std::getenv("ORVALA_REGENERATE_CORPUS")) {
        for (const auto& [name, bytes] : resourceCorpus())
            std::ofstream(dir / name, std::ios::binary) << bytes;
        GTEST_SKIP() << "regenerated " << dir;
    }
    for (const auto& [name, bytes] : resourceCorpus()) {
        std::string file;
        ASSERT_TRUE(readFileBytes((dir / name).string(), file))
            << name << " is missing; run with ORVALA_REGENERATE_CORPUS=1";
        EXPECT_EQ(file, bytes) << name;
    }
}

TEST(ResourceCorpus, EveryCheckedInFileIsCheckedSafelyAndAsItsNameSays) {
    int good = 0, bad = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORVALA_RESOURCE_CORPUS)) {
        std::string bytes;
        ASSERT_TRUE(readFileBytes(entry.path().string(), bytes)) << entry.path();
        EXPECT_EQ(feed(bytes), 0);
        const std::string name = entry.path().filename().string();
        const auto c = checkResourceFile(bytesOf(bytes));
        if (name.starts_with("good_")) {
            EXPECT_TRUE(c.ok) << name << ": " << c.problem;
            ++good;
        } else if (name.starts_with("bad_")) {
            EXPECT_FALSE(c.ok) << name;
            ++bad;
        }
    }
    EXPECT_GE(good, 4);
    EXPECT_GE(bad, 11);
}

// Every cut of a good file is refused (the tree comes last), and seeded byte changes anywhere
// are checked without a fault.
TEST(ResourceCorpus, DamagedCopiesOfTheGoodFiles) {
    std::mt19937 rng(11);
    for (const auto& [name, good] : resourceCorpus()) {
        if (!name.starts_with("good_")) continue;
        for (size_t n = 0; n < good.size(); ++n)
            EXPECT_FALSE(checkResourceFile(bytesOf(good.substr(0, n))).ok)
                << name << " cut at " << n;
        for (int i = 0; i < 2000; ++i) {
            std::string bad = good;
            for (int k = 1 + static_cast<int>(rng() % 3); k > 0; --k)
                bad[rng() % bad.size()] = static_cast<char>(rng());
            EXPECT_EQ(feed(bad), 0);
        }
    }
}

}  // namespace
}  // namespace orvala
