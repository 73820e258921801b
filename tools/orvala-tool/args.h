#pragma once
// Command-line reading for orvala-tool: options are "--name value" or "--flag"; a bad argument
// throws UsageError, which main turns into a message on stderr and exit status 2.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/cards/card.h"
#include "core/game/rule_settings.h"

namespace orvala::tool {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Args {
public:
    Args(int argc, char** argv, int first);

    // Takes "--name value" out of the arguments; nullopt when absent.
    std::optional<std::string> value(const std::string& name);
    // Takes "--name"; true when present.
    bool flag(const std::string& name);
    // What is left after the options were taken; an unknown option is a usage error.
    std::vector<std::string> positional();
    // Fails on anything not taken.
    void finish();

private:
    std::vector<std::string> args_;
    std::vector<bool> used_;
};

int parseInt(const std::string& text, const std::string& what, int lo, int hi);
// "a,b,c" as three integers.
std::vector<int> parseIntList(const std::string& text, const std::string& what, size_t count,
                              int lo, int hi);
Card parseCardArg(const std::string& text);
RuleSettings parseRulesArg(const std::string& text);
int parseSeat(const std::string& text, const std::string& what);

}  // namespace orvala::tool
