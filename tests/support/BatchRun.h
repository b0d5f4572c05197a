// Runs tenvoll-batch in-process on a program folder and keeps what it printed.
#pragma once

#include "app/batch/BatchCommand.h"

#include <sstream>
#include <string>
#include <vector>

namespace tenvoll::test {

struct BatchRun {
    int status;
    std::string out;
    std::string err;
};

// `args` after "--program-folder FOLDER".
inline BatchRun runBatchIn(const std::string& programFolder, std::vector<std::string> args) {
    args.insert(args.begin(), {"--program-folder", programFolder});
    std::ostringstream out, err;
    const int status = batch::runBatch(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace tenvoll::test
