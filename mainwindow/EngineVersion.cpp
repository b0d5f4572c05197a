// Version text of the program.
#include "mainwindow/EngineVersion.h"

namespace tenvoll {
const char* versionText() {
    return "ボルタナ選手名鑑 Var,1.1.1";
}
} // namespace tenvoll
