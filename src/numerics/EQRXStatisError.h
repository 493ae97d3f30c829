#pragma once
// The error of the statistics components (the random generator). Its messages begin with
// "Component ", the component's name in double quotes and a colon.

#include "numerics/EQRXError.h"

class EQRXStatisError : public EQRXError {
public:
    using EQRXError::EQRXError;
};
