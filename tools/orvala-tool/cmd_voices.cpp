// orvala-tool voices: the spoken card names a voice library holds.
//
//   orvala-tool voices FILE
//
// One line per clip, its name and length ("Pi5AVoiceDeu 440 ms", or "not a wave"), then how
// many of the game's 240 names the library has and which are missing (up to 24 named). A file that
// is missing or not a sound resource library is said on stderr, with exit status 2.

#include <algorithm>
#include <fstream>
#include <iostream>
#include <set>

#include "commands.h"
#include "core/sound/voice_names.h"
#include "core/sound/wave_file.h"
#include "core/text/resource_file_check.h"

namespace orvala::tool {

int runVoices(Args& args) {
    const auto words = args.positional();
    if (words.size() != 1) throw UsageError("voices takes one FILE");
    const std::string& path = words[0];
    constexpr std::streamoff kMaxBytes = std::streamoff{256} << 20;  // as the game opens
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size < 0 || size > kMaxBytes) {
        std::cerr << "orvala-tool voices: " << path
                  << (size < 0 ? ": cannot be read\n" : ": too large for a voice library\n");
        return 2;
    }
    std::vector<std::uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    const ResourceFileCheck check = checkResourceFile(bytes);
    if (!in || !check.ok) {
        std::cerr << "orvala-tool voices: " << path
                  << ": not a valid voice library: " << (in ? check.problem : "cannot be read")
                  << '\n';
        return 2;
    }
    auto leaves = check.leaves;
    std::sort(leaves.begin(), leaves.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    std::set<std::string> there;
    for (const auto& leaf : leaves) {
        const auto wave = readWave(std::span(bytes).subspan(leaf.offset, leaf.size));
        std::cout << leaf.name << ' ';
        if (wave)
            std::cout << wave->durationMs() << " ms\n", there.insert(leaf.name);
        else
            std::cout << "not a wave\n";
    }
    const auto game = allVoiceNames();
    std::vector<std::string> missing;
    for (const auto& name : game)
        if (!there.count(name)) missing.push_back(name);
    std::cout << game.size() - missing.size() << " of the game's " << game.size() << " voices";
    // A library of another kind lacks them all: then the count says enough.
    if (missing.size() > 24)
        std::cout << "; " << missing.size() << " missing";
    else
        for (size_t i = 0; i < missing.size(); ++i)
            std::cout << (i ? " " : "; missing: ") << missing[i];
    std::cout << '\n';
    return 0;
}

}  // namespace orvala::tool
