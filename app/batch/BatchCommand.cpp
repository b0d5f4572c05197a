// tenvoll-batch: option parsing, command dispatch, --help and --version.
#include "app/batch/BatchCommand.h"

#include "app/batch/ChartDrawing.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/ProgramVersion.h"
#include "league/Recovery.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <new>

namespace tenvoll::batch {

std::string BatchContext::argumentPath(const std::string& arg) const {
    if (!arg.empty() && arg.front() == '\\' && !hasDrivePart(arg))
        return joinProgramFolder(programFolder, arg);
    std::error_code ec;
    return platform::pathText(
        std::filesystem::absolute(platform::fsPath(toNativePath(arg)), ec).lexically_normal());
}

const std::vector<BatchCommand>& batchCommands() {
    static const std::vector<BatchCommand> table = [] {
        std::vector<BatchCommand> t;
        addFileCommands(t);
        addTermUpdateCommands(t);
        addUndoCommands(t);
        addRankingCommands(t);
        addExportCommands(t);
        addLeagueCommands(t);
        addGraphCommands(t);
        addOpeningOrderCommands(t);
        addRecoveryCommands(t);
        addPaneCommands(t);
        addReportCommands(t);
        return t;
    }();
    return table;
}

namespace {

void printHelp(std::ostream& out) {
    out << "使い方: tenvoll-batch [--program-folder DIR] COMMAND [ARGS]\n"
           "       tenvoll-batch --version\n"
           "ボルタナ選手名鑑の操作をコマンドラインから実行します。\n"
           "プログラムフォルダの既定値は現在のフォルダです。\n\n"
           "Commands:\n";
    std::size_t width = 0;
    for (const auto& c : batchCommands())
        width = std::max(width, c.name.size() + c.usage.size() + 1);
    for (const auto& c : batchCommands()) {
        std::string head = std::string(c.name) + " " + std::string(c.usage);
        out << "  " << head << std::string(width + 2 - head.size(), ' ') << c.summary << "\n";
    }
    out << "\nExit status: 0 success, 1 the operation failed, 2 usage error.\n";
}

} // namespace

int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    std::string folder = platform::pathText(std::filesystem::current_path(ec));
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            printHelp(out);
            return kSuccess;
        }
        if (args[i] == "--version") {
            out << "tenvoll-batch " << kProgramVersion << "\n";
            return kSuccess;
        }
        if (args[i] == "--program-folder") {
            if (i + 1 >= args.size()) {
                err << "--program-folder needs a folder\n";
                return kUsage;
            }
            folder = platform::pathText(
                std::filesystem::absolute(platform::fsPath(args[++i]), ec).lexically_normal());
            continue;
        }
        break;
    }
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    if (i >= args.size()) {
        printHelp(err);
        return kUsage;
    }
    const std::string& name = args[i];
    auto it = std::find_if(batchCommands().begin(), batchCommands().end(),
                           [&](const BatchCommand& c) { return c.name == name; });
    if (it == batchCommands().end()) {
        err << "unknown command: " << name << " (see tenvoll-batch --help)\n";
        return kUsage;
    }
    std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        out << "tenvoll-batch " << it->name << " " << it->usage << "\n  " << it->summary << "\n";
        return kSuccess;
    }
    if (it->draws && !chartDrawing() && drawingHandOver() && it->draws(rest))
        return drawingHandOver()(args, out, err);
    BatchContext context{folder, out, err};
    try {
        if (it->name != kRecoverCommand && !recoverBeforeCommand(context))
            return kFailure;
        return it->run(context, rest);
    } catch (const UsageError& e) {
        err << e.message << "\nusage: tenvoll-batch " << it->name << " " << it->usage << "\n";
        return kUsage;
    } catch (const LeagueError& e) {
        err << e.fullText() << "\n";
        return kFailure;
    } catch (...) {
        err << unexpectedFailureText() << "\n";
        return kFailure;
    }
}

int batchMain(int argc, char** argv) {
    try {
        platform::useUtf8Console();
        std::vector<std::string> args = platform::commandLineArguments(argc, argv);
        return runBatch(args, std::cout, std::cerr);
    } catch (...) {
        std::cerr << unexpectedFailureText() << "\n";
        return kFailure;
    }
}

bool recoverBeforeCommand(BatchContext& c) {
    std::vector<RecoveryOutcome> outcomes;
    try {
        outcomes = recoverInterruptedOperations(c.programFolder);
    } catch (const LeagueError&) {
        return true; // another operation is running: the journal is its own
    }
    if (outcomes.empty())
        return true;
    c.err << recoveryMessage(outcomes) << "\n";
    return !recoveryFailed(outcomes);
}

std::string unexpectedFailureText() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "メモリが足りないため中止しました。";
    } catch (const std::exception& e) {
        return std::string("予期しないエラーのため中止しました。\n") + e.what();
    } catch (...) {
        return "予期しないエラーのため中止しました。";
    }
}

// ---- ArgumentList --------------------------------------------------------------

ArgumentList::ArgumentList(const std::vector<std::string>& args,
                           std::vector<std::string_view> valueOptions,
                           std::vector<std::string_view> flagOptions) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--") || a == "--") {
            positionals_.push_back(a);
            continue;
        }
        std::string name = a, value;
        if (auto eq = a.find('='); eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
        }
        bool takesValue =
            std::find(valueOptions.begin(), valueOptions.end(), name) != valueOptions.end();
        bool isFlag = std::find(flagOptions.begin(), flagOptions.end(), name) != flagOptions.end();
        if (!takesValue && !isFlag)
            throw UsageError{"unknown option: " + name};
        if (takesValue && a.find('=') == std::string::npos) {
            if (i + 1 >= args.size())
                throw UsageError{name + " needs a value"};
            value = args[++i];
        }
        options_.emplace_back(name, value);
    }
}

bool ArgumentList::has(std::string_view option) const {
    return std::any_of(options_.begin(), options_.end(),
                       [&](const auto& o) { return o.first == option; });
}

std::string ArgumentList::value(std::string_view option, std::string_view fallback) const {
    for (auto it = options_.rbegin(); it != options_.rend(); ++it)
        if (it->first == option)
            return it->second;
    return std::string(fallback);
}

std::vector<std::string> ArgumentList::values(std::string_view option) const {
    std::vector<std::string> out;
    for (const auto& o : options_)
        if (o.first == option)
            out.push_back(o.second);
    return out;
}

const std::string& ArgumentList::positional(std::size_t i, std::string_view what) const {
    if (i >= positionals_.size())
        throw UsageError{"missing " + std::string(what)};
    return positionals_[i];
}

void ArgumentList::expectPositionals(std::size_t n) const {
    if (positionals_.size() > n)
        throw UsageError{"unexpected argument: " + positionals_[n]};
}

long long ArgumentList::integer(std::string_view option, long long fallback, long long min,
                                long long max) const {
    if (!has(option))
        return fallback;
    auto v = parseInteger(value(option));
    if (!v || *v < min || *v > max)
        throw UsageError{std::string(option) + " must be a whole number from " +
                         std::to_string(min) + " to " + std::to_string(max)};
    return *v;
}

} // namespace tenvoll::batch
