#pragma once
// The component library's base error: a message and nothing else. Every error type of the
// program's own components derives from it.

#include <stdexcept>

class EQRXError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
