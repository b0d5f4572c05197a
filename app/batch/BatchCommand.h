// The frame of tenvoll-batch: global options, the command table and exit codes.
// Each command group registers its commands in the table; the commands call
// the same engines as the windows.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll::batch {

enum ExitCode { kSuccess = 0, kFailure = 1, kUsage = 2 };

struct BatchContext {
    std::string programFolder; // full path, without a trailing separator
    std::ostream& out;
    std::ostream& err;

    // A FILE argument: a stored path ("\..." relative to the program folder)
    // or a path relative to the current directory.
    std::string argumentPath(const std::string& arg) const;
};

// Thrown by a command for a usage error (exit status 2).
struct UsageError {
    std::string message;
};

struct BatchCommand {
    std::string_view name;
    std::string_view usage;   // arguments after the name
    std::string_view summary; // one line for --help
    int (*run)(BatchContext& context, const std::vector<std::string>& args);
    // True when these arguments draw a PNG (the command is then run by the
    // drawing helper); none for a command that never draws.
    bool (*draws)(const std::vector<std::string>& args) = nullptr;
};

// Command groups.
void addFileCommands(std::vector<BatchCommand>& table);
void addTermUpdateCommands(std::vector<BatchCommand>& table);
void addRankingCommands(std::vector<BatchCommand>& table);
void addExportCommands(std::vector<BatchCommand>& table);
void addLeagueCommands(std::vector<BatchCommand>& table);
void addGraphCommands(std::vector<BatchCommand>& table);
void addOpeningOrderCommands(std::vector<BatchCommand>& table);
void addRecoveryCommands(std::vector<BatchCommand>& table);
void addPaneCommands(std::vector<BatchCommand>& table);
void addReportCommands(std::vector<BatchCommand>& table);
void addUndoCommands(std::vector<BatchCommand>& table);

inline constexpr std::string_view kRecoverCommand = "recover";

// Recovery of an operation a crash cut off, run before every other command:
// prints what was put back; false when something could not be restored.
bool recoverBeforeCommand(BatchContext& context);

// Inside a catch block: the Japanese text for the exception being handled
// (memory exhausted, or anything unexpected).
std::string unexpectedFailureText();

const std::vector<BatchCommand>& batchCommands();

// Runs the command line; returns the exit status.
int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The main of tenvoll-batch and of its drawing helper: the command line of the
// process on the console.
int batchMain(int argc, char** argv);

// Option parsing shared by the commands: "--name value" pairs and positionals.
class ArgumentList {
public:
    ArgumentList(const std::vector<std::string>& args, std::vector<std::string_view> valueOptions,
                 std::vector<std::string_view> flagOptions = {});
    const std::vector<std::string>& positionals() const { return positionals_; }
    bool has(std::string_view option) const;
    std::string value(std::string_view option, std::string_view fallback = {}) const;
    // Every value of a repeatable option, in command-line order.
    std::vector<std::string> values(std::string_view option) const;
    // The positional at `i`; a usage error when missing.
    const std::string& positional(std::size_t i, std::string_view what) const;
    // A usage error when there are more than `n` positionals.
    void expectPositionals(std::size_t n) const;
    long long integer(std::string_view option, long long fallback, long long min,
                      long long max) const;

private:
    std::vector<std::string> positionals_;
    std::vector<std::pair<std::string, std::string>> options_;
};

} // namespace tenvoll::batch
