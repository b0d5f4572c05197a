// tenvoll-batch: the league operations of ボルタナ選手名鑑 from the command line.
#include "app/batch/BatchCommand.h"
#include "league/Platform.h"

#include <iostream>

int main(int argc, char** argv) {
    try {
        tenvoll::platform::useUtf8Console();
        std::vector<std::string> args = tenvoll::platform::commandLineArguments(argc, argv);
        return tenvoll::batch::runBatch(args, std::cout, std::cerr);
    } catch (...) {
        std::cerr << tenvoll::batch::unexpectedFailureText() << "\n";
        return tenvoll::batch::kFailure;
    }
}
