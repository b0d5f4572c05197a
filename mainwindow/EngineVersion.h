// Version text of the program.
#pragma once

namespace tenvoll {
// "ボルタナ選手名鑑 Var,1.1.1", shown by "バージョン情報".
const char* versionText();
} // namespace tenvoll
