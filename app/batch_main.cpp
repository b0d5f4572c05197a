// tenvoll-batch: the league operations of ボルタナ選手名鑑 from the command line.
#include "app/batch/BatchCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        return tenvoll::batch::runBatch(args, std::cout, std::cerr);
    } catch (...) {
        std::cerr << tenvoll::batch::unexpectedFailureText() << "\n";
        return tenvoll::batch::kFailure;
    }
}
