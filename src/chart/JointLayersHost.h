#pragma once
// What the joined-layer table needs of its chart: the range of one axis of a layer, the
// chart's range operation, and the range a layer takes when it is joined.

class IJointLayersHost {
public:
    virtual ~IJointLayersHost() = default;
    virtual void JointAxisRange(int layer, bool xAxis, double& low, double& high) const = 0;
    virtual void SetRange(int layer, double xLo, double yLo, double xHi, double yHi) = 0;
    // A layer that has just been joined takes this range, its joined axes included.
    virtual void TakeJoinedRange(int layer, double xLo, double yLo, double xHi, double yHi) {
        SetRange(layer, xLo, yLo, xHi, yHi);
    }

protected:
    IJointLayersHost() = default;
    IJointLayersHost(const IJointLayersHost&) = default;
    IJointLayersHost& operator=(const IJointLayersHost&) = default;
};
