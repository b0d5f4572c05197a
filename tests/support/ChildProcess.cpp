#include "support/ChildProcess.h"

#include "league/Platform.h"
#include "support/TestPlatform.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace tenvoll::test {

namespace {

constexpr const char* kChildFlag = "--tenvoll-child";
// A program under wine may take seconds to start.
constexpr auto kAnswerTimeout = std::chrono::seconds(120);
constexpr auto kPoll = std::chrono::milliseconds(5);

std::map<std::string, ChildMain>& roles() {
    static std::map<std::string, ChildMain> r;
    return r;
}

fs::path channelFile(const std::string& folder, const char* name) {
    return platform::fsPath(folder) / name;
}

} // namespace

ChildChannel::ChildChannel(std::string folder, std::vector<std::string> args)
    : folder_(std::move(folder)), args_(std::move(args)) {}

void ChildChannel::answer(const std::string& text) {
    // Written aside and renamed, so that the parent never reads half of it.
    const fs::path aside = channelFile(folder_, "answer.part");
    {
        std::ofstream f(aside, std::ios::binary | std::ios::trunc);
        f << text;
    }
    fs::rename(aside, channelFile(folder_, "answer"));
}

void ChildChannel::waitForFinish() {
    const auto end = std::chrono::steady_clock::now() + kAnswerTimeout;
    while (!fs::exists(channelFile(folder_, "finish")) && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(kPoll);
}

ChildRole::ChildRole(const char* name, ChildMain main) {
    roles()[name] = main;
}

ChildProcess::ChildProcess(const std::string& role, const std::vector<std::string>& args) {
    static std::atomic<int> counter{0};
    const fs::path folder = fs::temp_directory_path() /
                            ("tenvoll-child-" + std::to_string(platform::currentProcessId()) + "-" +
                             std::to_string(counter++));
    fs::remove_all(folder);
    fs::create_directories(folder);
    folder_ = platform::pathText(folder);
    std::vector<std::string> all = {kChildFlag, role, folder_};
    all.insert(all.end(), args.begin(), args.end());
    process_ = startThisProgram(all);
    if (process_ == nullptr)
        throw std::runtime_error("cannot start the child process");
}

ChildProcess::~ChildProcess() {
    finish();
    wait();
    std::error_code ec;
    fs::remove_all(platform::fsPath(folder_), ec);
}

std::string ChildProcess::answer() {
    // Answers are never empty; an empty read is a file still in the making
    // (or held a moment by the rename under wine): read again.
    auto read = [file = channelFile(folder_, "answer")] {
        std::ifstream f(file, std::ios::binary);
        std::ostringstream text;
        text << f.rdbuf();
        return text.str();
    };
    const auto end = std::chrono::steady_clock::now() + kAnswerTimeout;
    while (true) {
        const bool ended = status_ || hasEnded(*process_);
        if (std::string text = read(); !text.empty())
            return text;
        if (ended)
            return "(ended without an answer, status " + std::to_string(wait()) + ")";
        if (std::chrono::steady_clock::now() > end)
            return "(no answer in time)";
        std::this_thread::sleep_for(kPoll);
    }
}

void ChildProcess::finish() {
    std::ofstream(channelFile(folder_, "finish"), std::ios::binary);
}

int ChildProcess::wait() {
    if (!status_) {
        status_ = waitForEnd(process_);
        process_ = nullptr;
    }
    return *status_;
}

std::optional<int> runChildRole(int argc, char** argv) {
    if (argc < 4 || std::string(argv[1]) != kChildFlag)
        return std::nullopt;
    // The folder and the arguments may hold any character: taken as UTF-8.
    std::vector<std::string> args = platform::commandLineArguments(argc, argv);
    auto role = roles().find(args.at(1));
    if (role == roles().end())
        return 3;
    ChildChannel channel(args.at(2), std::vector<std::string>(args.begin() + 3, args.end()));
    return role->second(channel);
}

} // namespace tenvoll::test
