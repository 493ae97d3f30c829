#include "chart/JointLayers.h"

#include "chart/EQRXRChartError.h"
#include "chart/JointLayersHost.h"

#include <cstddef>
#include <string>

namespace {
std::size_t slot(int layer) { return static_cast<std::size_t>(layer - 1); }
bool isLayer(int layer) { return layer >= 1 && layer <= MaxLayers; }
} // namespace

TJointLayers::TJointLayers(IJointLayersHost* host, QObject* owner) : QObject(owner), chart(host) {
    for (int n = 1; n <= MaxLayers; ++n) {
        xTable[slot(n)] = n;
        yTable[slot(n)] = n;
    }
}

int TJointLayers::entry(const Table& table, int layer) {
    return isLayer(layer) ? table[slot(layer)] : 0;
}

void TJointLayers::SetxControlledBy(int layer, int controller) {
    join(xTable, true, layer, controller);
}

void TJointLayers::SetyControlledBy(int layer, int controller) {
    join(yTable, false, layer, controller);
}

void TJointLayers::join(Table& table, bool xAxis, int layer, int controller) {
    if (!isLayer(layer)) {
        throw EQRXRChartError("Layer " + std::to_string(layer) + " is out of range");
    }
    if (!isLayer(controller)) {
        throw EQRXRChartError("Destination layer " + std::to_string(controller) +
                              " is out of range");
    }
    if (controller == layer) {
        table[slot(layer)] = layer;
        return;
    }
    if (table[slot(controller)] != controller) {
        throw EQRXRChartError("Destination layer " + std::to_string(controller) +
                              " is already joined");
    }
    std::string joiners;
    for (int j = 1; j <= MaxLayers; ++j) {
        if (j != layer && table[slot(j)] == layer) {
            joiners += (joiners.empty() ? "" : ", ") + std::to_string(j);
        }
    }
    if (!joiners.empty()) {
        throw EQRXRChartError("Layer " + std::to_string(layer) + " is joined by other layers (" +
                              joiners + ")");
    }
    table[slot(layer)] = controller;
    if (chart != nullptr) {
        double xLo = 0, xHi = 0, yLo = 0, yHi = 0;
        chart->JointAxisRange(xAxis ? controller : layer, true, xLo, xHi);
        chart->JointAxisRange(xAxis ? layer : controller, false, yLo, yHi);
        chart->TakeJoinedRange(layer, xLo, yLo, xHi, yHi);
    }
    Fire(OnChange, this);
}

void TJointLayers::Assign(const TJointLayers& source) {
    xTable = source.xTable;
    yTable = source.yTable;
    Fire(source.OnChange, this);
}
