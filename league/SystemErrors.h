// The causes the operating system reports for a failed file operation, as the
// Japanese explanations shown inside the program's messages.
#pragma once

#include <string>
#include <system_error>

namespace tenvoll {

// A Japanese explanation of an errno value: "アクセスが許可されていません" for EACCES.
// Causes without an explanation of their own read "システムのエラー (番号 N)",
// N the system's own number.
std::string systemErrorText(int err);

// The same for a std::error_code of the generic or system category.
std::string systemErrorText(const std::error_code& ec);

} // namespace tenvoll
