// tenvoll-batch data-check, term-update and stats-marks.
#include "app/batch/BatchCommand.h"

namespace tenvoll::batch {

void addTermUpdateCommands(std::vector<BatchCommand>&) {}

} // namespace tenvoll::batch
