// Version text of the program.
#pragma once

#include <string>

namespace tenvoll {
// "ボルタナ選手名鑑 Var,1.1.1" (the project version), shown by "バージョン情報".
std::string versionText();
} // namespace tenvoll
