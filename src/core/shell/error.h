#pragma once
// A run-time fault inside core (division by zero, logarithm of a non-positive
// number, an index out of range, a file that cannot be read ...). It carries
// the description that the window shows; core code throws it and the routine
// at core's boundary (or the window's handler) catches it. It never reaches
// Qt's event loop.

#include <stdexcept>
#include <string>

namespace kinhom {

class KinError : public std::runtime_error {
public:
    explicit KinError(const std::string& description) : std::runtime_error(description) {}
    std::string description() const { return what(); }
};

} // namespace kinhom
