// sample-league OUT_DIR [--teams N] [--terms T] [--players P] [--seed S]:
// writes a synthetic program folder (see SampleLeague.h).
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Platform.h"
#include "tools/sample-league/SampleLeague.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: sample-league OUT_DIR [--teams N] [--terms T] [--players P] [--seed S]\n";

struct UsageError {
    std::string message;
};

long long numberArgument(const std::string& option, const std::string& text) {
    auto v = tenvoll::parseInteger(text);
    if (!v || *v < 0 || *v > 0xFFFFFFFFLL)
        throw UsageError{option + " needs a whole number, not \"" + text + "\""};
    return *v;
}

} // namespace

int main(int argc, char** argv) {
    // Its messages are Japanese: a Windows console shows them only as UTF-8.
    tenvoll::platform::useUtf8Console();
    std::vector<std::string> args = tenvoll::platform::commandLineArguments(argc, argv);
    std::string folder;
    tenvoll::sample::SampleOptions options;
    try {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (a == "--help" || a == "-h") {
                std::cout << kUsage;
                return 0;
            }
            if (a.starts_with("--")) {
                if (i + 1 >= args.size())
                    throw UsageError{a + " needs a value"};
                long long v = numberArgument(a, args[++i]);
                if (a == "--teams")
                    options.teams = int(v);
                else if (a == "--terms")
                    options.terms = int(v);
                else if (a == "--players")
                    options.players = int(v);
                else if (a == "--seed")
                    options.seed = unsigned(v);
                else
                    throw UsageError{"unknown option: " + a};
            } else if (folder.empty()) {
                folder = a;
            } else {
                throw UsageError{"unexpected argument: " + a};
            }
        }
        if (folder.empty())
            throw UsageError{"missing OUT_DIR"};
    } catch (const UsageError& e) {
        std::cerr << e.message << "\n" << kUsage;
        return 2;
    }
    try {
        auto summary = tenvoll::sample::writeSampleLeague(folder, options);
        std::cout << summary.leagueName << ": " << summary.teamFiles.size() << " チーム, 最新 "
                  << summary.latestTerm << " 期 -> " << summary.leagueFolder << "\n";
    } catch (const tenvoll::LeagueError& e) {
        std::cerr << e.fullText() << "\n";
        return 1;
    }
    return 0;
}
