#include "args.h"

#include <charconv>

namespace orvala::tool {

Args::Args(int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) args_.emplace_back(argv[i]);
    used_.assign(args_.size(), false);
}

std::optional<std::string> Args::value(const std::string& name) {
    for (size_t i = 0; i < args_.size(); ++i) {
        if (used_[i] || args_[i] != "--" + name) continue;
        if (i + 1 >= args_.size()) throw UsageError("--" + name + " needs a value");
        used_[i] = used_[i + 1] = true;
        return args_[i + 1];
    }
    return std::nullopt;
}

bool Args::flag(const std::string& name) {
    for (size_t i = 0; i < args_.size(); ++i) {
        if (!used_[i] && args_[i] == "--" + name) {
            used_[i] = true;
            return true;
        }
    }
    return false;
}

std::vector<std::string> Args::positional() {
    std::vector<std::string> out;
    for (size_t i = 0; i < args_.size(); ++i) {
        if (used_[i]) continue;
        if (args_[i].rfind("--", 0) == 0) throw UsageError("unknown option " + args_[i]);
        used_[i] = true;
        out.push_back(args_[i]);
    }
    return out;
}

void Args::finish() {
    for (size_t i = 0; i < args_.size(); ++i)
        if (!used_[i]) throw UsageError("unexpected argument " + args_[i]);
}

int parseInt(const std::string& text, const std::string& what, int lo, int hi) {
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi)
        throw UsageError(what + " must be a whole number from " + std::to_string(lo) + " to " +
                         std::to_string(hi) + ", not \"" + text + "\"");
    return v;
}

std::vector<int> parseIntList(const std::string& text, const std::string& what, size_t count,
                              int lo, int hi) {
    std::vector<int> out;
    size_t start = 0;
    while (true) {
        size_t comma = text.find(',', start);
        out.push_back(parseInt(text.substr(start, comma - start), what, lo, hi));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (out.size() != count)
        throw UsageError(what + " needs " + std::to_string(count) + " comma-separated numbers");
    return out;
}

Card parseCardArg(const std::string& text) {
    auto c = parseCard(text);
    if (!c || !isValidCard(*c))
        throw UsageError("unknown card \"" + text + "\" (write e.g. As, Th, 9c, Qd)");
    return *c;
}

RuleSettings parseRulesArg(const std::string& text) {
    auto r = parseRuleLine(text);
    if (!r)
        throw UsageError("malformed rule line \"" + text +
                         "\": six characters, flags 0/1 and a penalty mode 1..3, e.g. 011111");
    return *r;
}

int parseSeat(const std::string& text, const std::string& what) {
    if (text != "1" && text != "2" && text != "3")
        throw UsageError(what + " must be a seat, 1, 2 or 3, not \"" + text + "\"");
    return text[0] - '0';
}

}  // namespace orvala::tool
