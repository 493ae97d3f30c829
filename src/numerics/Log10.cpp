#include "numerics/Log10.h"

#include "numerics/EMathError.h"

#include <cmath>

double Log10(double x) {
    if (!(x > 0)) {
        throw EMathError("logarithm: invalid argument");
    }
    return static_cast<double>(std::log(static_cast<long double>(x)) / std::log(10.0L));
}
