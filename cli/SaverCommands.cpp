#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "framework/base/Random.h"
#include "cli/Commands.h"
#include "saver/core/PhrasePools.h"
#include "saver/core/SentenceGenerator.h"

namespace {

// A whole decimal number within [0, max], or a usage error naming what it is.
unsigned long ParseCount(const std::string& text, unsigned long max, const char* what) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError{std::string(what) + " must be a whole number, not \"" + text + "\""};
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > max)
        throw UsageError{std::string(what) + " is too large: " + text};
    return static_cast<unsigned long>(value);
}

struct SentenceOptions {
    unsigned long count = 0;
    uint32_t seed = static_cast<uint32_t>(std::time(nullptr));  // as the saver seeds itself
    bool horizontal = false;
};

SentenceOptions ParseSentenceOptions(const CommandContext& context) {
    SentenceOptions options;
    bool haveCount = false;
    const auto& args = context.args;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--horizontal") {
            options.horizontal = true;
        } else if (args[i] == "--seed") {
            if (++i == args.size())
                throw UsageError{"--seed needs a number"};
            options.seed = static_cast<uint32_t>(ParseCount(args[i], 0xFFFFFFFFul, "the seed"));
        } else if (!haveCount) {
            options.count = ParseCount(args[i], 100000000ul, "the number of sentences");
            haveCount = true;
        } else {
            throw UsageError{"unexpected argument " + args[i]};
        }
    }
    if (!haveCount)
        throw UsageError{"sentences needs the number of lines to print"};
    return options;
}

}  // namespace

int RunSentences(CStoreContext& store, const CommandContext& context) {
    const SentenceOptions options = ParseSentenceOptions(context);
    CPhrasePools pools;
    pools.LoadPhrasePools(store);
    SeedRandom(options.seed);
    for (unsigned long i = 0; i < options.count; ++i) {
        const std::string line = NewSentence(pools, options.horizontal);
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return kExitOk;
}
