// The term-update engines report through the shared progress reporter
// (league/ProgressReporter.h); this is its name in their signatures.
#pragma once

#include "league/ProgressReporter.h"

namespace tenvoll {

using TermUpdateReporter = ProgressReporter;

} // namespace tenvoll
