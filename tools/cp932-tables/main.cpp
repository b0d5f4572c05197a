// generate-cp932-tables FILE: writes the cp932 tables (league/Cp932Data.inc)
// from this system's converter. Run once on glibc; the tests compare.
#include "tools/cp932-tables/Cp932Generator.h"

#include <exception>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: generate-cp932-tables FILE\n";
        return 2;
    }
    try {
        const std::string source = tenvoll::cp932gen::generateTableSource();
        std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
        file << source;
        if (!file.flush())
            throw std::runtime_error(std::string("cannot write ") + argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "generate-cp932-tables: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
