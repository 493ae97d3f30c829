#pragma once
// TRandGen, the non-visual random generator component that a window places in its layout:
// its published borders and resolution over the tabulated distribution it draws from.

#include "numerics/TabulatedDistribution.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

class TRandGen : public QObject {
    Q_OBJECT
    Q_PROPERTY(double LowBorder READ LowBorder WRITE SetLowBorder)
    Q_PROPERTY(double HighBorder READ HighBorder WRITE SetHighBorder)
    Q_PROPERTY(int Resolution READ Resolution WRITE SetResolution)

public:
    // Throws EQRXStatisError when the table cannot be allocated.
    explicit TRandGen(QObject* owner = nullptr);
    ~TRandGen() override;

    double LowBorder() const { return dist->LowBorder; }
    void SetLowBorder(double value) { dist->LowBorder = value; }
    double HighBorder() const { return dist->HighBorder; }
    void SetHighBorder(double value) { dist->HighBorder = value; }

    int Resolution() const { return dist->Resolution(); }
    // Clamped to 10..4000; every table entry becomes 1.0. Throws EQRXStatisError when the
    // table cannot be resized, and then keeps the previous table and resolution.
    void SetResolution(int value);

    const std::vector<double>& DistTable() const { return dist->DistTable(); }
    std::vector<double>& DistTable() { return dist->DistTable(); }

    void SetNormalDistribution(double mean, double standardDeviation);
    double RandomValue() const;

private:
    std::string errorPrefix() const;

    std::unique_ptr<TTabulatedDistribution> dist;
};
