// Version text of the program.
#include "mainwindow/EngineVersion.h"

#include "league/ProgramVersion.h"

namespace tenvoll {
std::string versionText() {
    return "ボルタナ選手名鑑 Var," + std::string(kProgramVersion);
}
} // namespace tenvoll
