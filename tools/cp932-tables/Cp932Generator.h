// Writes the program's cp932 tables as C++ source data, asking glibc's
// converter about every single byte, every byte pair and every code point of
// the Basic Multilingual Plane (cp932 maps nothing outside it).
#pragma once

#include <string>

namespace tenvoll::cp932gen {

// The whole text of league/Cp932Data.inc.
std::string generateTableSource();

} // namespace tenvoll::cp932gen
