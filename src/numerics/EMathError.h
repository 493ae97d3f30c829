#pragma once
// The error of the library's mathematical routines, such as the base-10 logarithm of a
// number that is not positive.

#include "numerics/EQRXError.h"

class EMathError : public EQRXError {
public:
    using EQRXError::EQRXError;
};
