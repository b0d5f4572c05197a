// Exceptions of the XY graph component; messages are Japanese (UTF-8).
#pragma once

#include <stdexcept>
#include <string>

namespace tenvoll::charts {

class EXYGraphError : public std::runtime_error {
public:
    explicit EXYGraphError(const std::string& message) : std::runtime_error(message) {}
};

class EXYGraphAxisError : public EXYGraphError {
public:
    using EXYGraphError::EXYGraphError;
};

class EXYGraphSeriesError : public EXYGraphError {
public:
    using EXYGraphError::EXYGraphError;
};

} // namespace tenvoll::charts
