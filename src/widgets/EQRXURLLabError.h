#pragma once
// The URL label's error: an address that is neither a web address nor a program, or a
// program that could not be started.

#include "numerics/EQRXError.h"

class EQRXURLLabError : public EQRXError {
public:
    using EQRXError::EQRXError;
};
