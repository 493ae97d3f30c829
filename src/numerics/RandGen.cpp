#include "numerics/RandGen.h"

#include "numerics/EQRXStatisError.h"

#include <new>
#include <string>

TRandGen::TRandGen(QObject* owner) : QObject(owner) {
    try {
        dist = std::make_unique<TTabulatedDistribution>();
    } catch (const std::bad_alloc&) {
        throw EQRXStatisError(errorPrefix() + "not enough memory on heap");
    }
}

TRandGen::~TRandGen() = default;

std::string TRandGen::errorPrefix() const {
    return "Component \"" + objectName().toStdString() + "\": ";
}

void TRandGen::SetResolution(int value) {
    try {
        dist->SetResolution(value);
    } catch (const std::bad_alloc&) {
        throw EQRXStatisError(errorPrefix() + "not enough memory");
    }
}

void TRandGen::SetNormalDistribution(double mean, double standardDeviation) {
    dist->SetNormalDistribution(mean, standardDeviation);
}

double TRandGen::RandomValue() const { return dist->RandomValue(); }
