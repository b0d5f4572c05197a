// tenvoll-batch ranking and find.
#include "app/batch/BatchCommand.h"

namespace tenvoll::batch {

void addRankingCommands(std::vector<BatchCommand>&) {}

} // namespace tenvoll::batch
