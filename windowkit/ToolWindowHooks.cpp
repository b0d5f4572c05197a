// The registered openers.
#include "windowkit/ToolWindowHooks.h"

namespace tenvoll {

namespace {
ToolWindowOpener reportOpener = nullptr;
} // namespace

void setReportWindowOpener(ToolWindowOpener opener) {
    reportOpener = opener;
}

ToolWindowOpener reportWindowOpener() {
    return reportOpener;
}

} // namespace tenvoll
