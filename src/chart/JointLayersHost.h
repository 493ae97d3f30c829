#pragma once
// What the joined-layer table needs of its chart: the range of one axis of a layer, and the
// chart's range operation.

class IJointLayersHost {
public:
    virtual ~IJointLayersHost() = default;
    virtual void JointAxisRange(int layer, bool xAxis, double& low, double& high) const = 0;
    virtual void SetRange(int layer, double xLo, double yLo, double xHi, double yHi) = 0;

protected:
    IJointLayersHost() = default;
    IJointLayersHost(const IJointLayersHost&) = default;
    IJointLayersHost& operator=(const IJointLayersHost&) = default;
};
