// CSV files: cp932 lines with CR LF, saved atomically.
#include "league/CsvFile.h"

#include "league/FileAccess.h"
#include "league/OutputTarget.h"
#include "league/TextCodec.h"

namespace tenvoll {

void writeCsvLines(const std::string& programFolder, const std::string& path,
                   const std::vector<std::string>& lines) {
    checkOutputTarget(programFolder, path);
    writeTextFileAtomic(path, joinCrlf(lines));
}

} // namespace tenvoll
