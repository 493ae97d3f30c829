#pragma once
// The chart unit's error: raised by the joined-layer table and by range operations on a
// layer that does not exist.

#include "numerics/EQRXError.h"

class EQRXRChartError : public EQRXError {
public:
    using EQRXError::EQRXError;
};
