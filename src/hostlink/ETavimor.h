#pragma once
// The host link's error: a refused parameter index, a malformed message, a request the link
// cannot carry out. The message says which.

#include "numerics/EQRXError.h"

class ETavimor : public EQRXError {
public:
    using EQRXError::EQRXError;
};
