#pragma once
// TJointLayers, the table of which layer controls the axes of which: entry n of the x table is
// the layer whose x axis layer n follows. Joining copies the controlling layer's range
// through the chart; chains are refused, so a controlling layer is never itself controlled.

#include "chart/ChartEvents.h"
#include "chart/ChartTypes.h"

#include <QObject>

#include <array>

class IJointLayersHost;

class TJointLayers : public QObject {
    Q_OBJECT
    Q_PROPERTY(int L01xControlledBy READ L01xControlledBy WRITE SetL01xControlledBy)
    Q_PROPERTY(int L01yControlledBy READ L01yControlledBy WRITE SetL01yControlledBy)
    Q_PROPERTY(int L02xControlledBy READ L02xControlledBy WRITE SetL02xControlledBy)
    Q_PROPERTY(int L02yControlledBy READ L02yControlledBy WRITE SetL02yControlledBy)
    Q_PROPERTY(int L03xControlledBy READ L03xControlledBy WRITE SetL03xControlledBy)
    Q_PROPERTY(int L03yControlledBy READ L03yControlledBy WRITE SetL03yControlledBy)
    Q_PROPERTY(int L04xControlledBy READ L04xControlledBy WRITE SetL04xControlledBy)
    Q_PROPERTY(int L04yControlledBy READ L04yControlledBy WRITE SetL04yControlledBy)
    Q_PROPERTY(int L05xControlledBy READ L05xControlledBy WRITE SetL05xControlledBy)
    Q_PROPERTY(int L05yControlledBy READ L05yControlledBy WRITE SetL05yControlledBy)
    Q_PROPERTY(int L06xControlledBy READ L06xControlledBy WRITE SetL06xControlledBy)
    Q_PROPERTY(int L06yControlledBy READ L06yControlledBy WRITE SetL06yControlledBy)
    Q_PROPERTY(int L07xControlledBy READ L07xControlledBy WRITE SetL07xControlledBy)
    Q_PROPERTY(int L07yControlledBy READ L07yControlledBy WRITE SetL07yControlledBy)
    Q_PROPERTY(int L08xControlledBy READ L08xControlledBy WRITE SetL08xControlledBy)
    Q_PROPERTY(int L08yControlledBy READ L08yControlledBy WRITE SetL08yControlledBy)
    Q_PROPERTY(int L09xControlledBy READ L09xControlledBy WRITE SetL09xControlledBy)
    Q_PROPERTY(int L09yControlledBy READ L09yControlledBy WRITE SetL09yControlledBy)
    Q_PROPERTY(int L10xControlledBy READ L10xControlledBy WRITE SetL10xControlledBy)
    Q_PROPERTY(int L10yControlledBy READ L10yControlledBy WRITE SetL10yControlledBy)
    Q_PROPERTY(int L11xControlledBy READ L11xControlledBy WRITE SetL11xControlledBy)
    Q_PROPERTY(int L11yControlledBy READ L11yControlledBy WRITE SetL11yControlledBy)
    Q_PROPERTY(int L12xControlledBy READ L12xControlledBy WRITE SetL12xControlledBy)
    Q_PROPERTY(int L12yControlledBy READ L12yControlledBy WRITE SetL12yControlledBy)
    Q_PROPERTY(int L13xControlledBy READ L13xControlledBy WRITE SetL13xControlledBy)
    Q_PROPERTY(int L13yControlledBy READ L13yControlledBy WRITE SetL13yControlledBy)
    Q_PROPERTY(int L14xControlledBy READ L14xControlledBy WRITE SetL14xControlledBy)
    Q_PROPERTY(int L14yControlledBy READ L14yControlledBy WRITE SetL14yControlledBy)
    Q_PROPERTY(int L15xControlledBy READ L15xControlledBy WRITE SetL15xControlledBy)
    Q_PROPERTY(int L15yControlledBy READ L15yControlledBy WRITE SetL15yControlledBy)
    Q_PROPERTY(int L16xControlledBy READ L16xControlledBy WRITE SetL16xControlledBy)
    Q_PROPERTY(int L16yControlledBy READ L16yControlledBy WRITE SetL16yControlledBy)

public:
    explicit TJointLayers(IJointLayersHost* chart, QObject* owner = nullptr);

    // The layer whose axis `layer` follows; 0 for a layer outside 1..16.
    int xControlledBy(int layer) const { return entry(xTable, layer); }
    int yControlledBy(int layer) const { return entry(yTable, layer); }
    // Joins the axis of `layer` to that of `controller` (or releases it when they are
    // equal). Throws EQRXRChartError and leaves both tables unchanged when refused.
    void SetxControlledBy(int layer, int controller);
    void SetyControlledBy(int layer, int controller);

    // Copies both tables, then fires the source's change callback.
    void Assign(const TJointLayers& source);

    int L01xControlledBy() const { return xControlledBy(1); }
    void SetL01xControlledBy(int v) { SetxControlledBy(1, v); }
    int L01yControlledBy() const { return yControlledBy(1); }
    void SetL01yControlledBy(int v) { SetyControlledBy(1, v); }
    int L02xControlledBy() const { return xControlledBy(2); }
    void SetL02xControlledBy(int v) { SetxControlledBy(2, v); }
    int L02yControlledBy() const { return yControlledBy(2); }
    void SetL02yControlledBy(int v) { SetyControlledBy(2, v); }
    int L03xControlledBy() const { return xControlledBy(3); }
    void SetL03xControlledBy(int v) { SetxControlledBy(3, v); }
    int L03yControlledBy() const { return yControlledBy(3); }
    void SetL03yControlledBy(int v) { SetyControlledBy(3, v); }
    int L04xControlledBy() const { return xControlledBy(4); }
    void SetL04xControlledBy(int v) { SetxControlledBy(4, v); }
    int L04yControlledBy() const { return yControlledBy(4); }
    void SetL04yControlledBy(int v) { SetyControlledBy(4, v); }
    int L05xControlledBy() const { return xControlledBy(5); }
    void SetL05xControlledBy(int v) { SetxControlledBy(5, v); }
    int L05yControlledBy() const { return yControlledBy(5); }
    void SetL05yControlledBy(int v) { SetyControlledBy(5, v); }
    int L06xControlledBy() const { return xControlledBy(6); }
    void SetL06xControlledBy(int v) { SetxControlledBy(6, v); }
    int L06yControlledBy() const { return yControlledBy(6); }
    void SetL06yControlledBy(int v) { SetyControlledBy(6, v); }
    int L07xControlledBy() const { return xControlledBy(7); }
    void SetL07xControlledBy(int v) { SetxControlledBy(7, v); }
    int L07yControlledBy() const { return yControlledBy(7); }
    void SetL07yControlledBy(int v) { SetyControlledBy(7, v); }
    int L08xControlledBy() const { return xControlledBy(8); }
    void SetL08xControlledBy(int v) { SetxControlledBy(8, v); }
    int L08yControlledBy() const { return yControlledBy(8); }
    void SetL08yControlledBy(int v) { SetyControlledBy(8, v); }
    int L09xControlledBy() const { return xControlledBy(9); }
    void SetL09xControlledBy(int v) { SetxControlledBy(9, v); }
    int L09yControlledBy() const { return yControlledBy(9); }
    void SetL09yControlledBy(int v) { SetyControlledBy(9, v); }
    int L10xControlledBy() const { return xControlledBy(10); }
    void SetL10xControlledBy(int v) { SetxControlledBy(10, v); }
    int L10yControlledBy() const { return yControlledBy(10); }
    void SetL10yControlledBy(int v) { SetyControlledBy(10, v); }
    int L11xControlledBy() const { return xControlledBy(11); }
    void SetL11xControlledBy(int v) { SetxControlledBy(11, v); }
    int L11yControlledBy() const { return yControlledBy(11); }
    void SetL11yControlledBy(int v) { SetyControlledBy(11, v); }
    int L12xControlledBy() const { return xControlledBy(12); }
    void SetL12xControlledBy(int v) { SetxControlledBy(12, v); }
    int L12yControlledBy() const { return yControlledBy(12); }
    void SetL12yControlledBy(int v) { SetyControlledBy(12, v); }
    int L13xControlledBy() const { return xControlledBy(13); }
    void SetL13xControlledBy(int v) { SetxControlledBy(13, v); }
    int L13yControlledBy() const { return yControlledBy(13); }
    void SetL13yControlledBy(int v) { SetyControlledBy(13, v); }
    int L14xControlledBy() const { return xControlledBy(14); }
    void SetL14xControlledBy(int v) { SetxControlledBy(14, v); }
    int L14yControlledBy() const { return yControlledBy(14); }
    void SetL14yControlledBy(int v) { SetyControlledBy(14, v); }
    int L15xControlledBy() const { return xControlledBy(15); }
    void SetL15xControlledBy(int v) { SetxControlledBy(15, v); }
    int L15yControlledBy() const { return yControlledBy(15); }
    void SetL15yControlledBy(int v) { SetyControlledBy(15, v); }
    int L16xControlledBy() const { return xControlledBy(16); }
    void SetL16xControlledBy(int v) { SetxControlledBy(16, v); }
    int L16yControlledBy() const { return yControlledBy(16); }
    void SetL16yControlledBy(int v) { SetyControlledBy(16, v); }

    TNotifyEvent OnChange;

private:
    using Table = std::array<int, MaxLayers>;
    static int entry(const Table& table, int layer);
    void join(Table& table, bool xAxis, int layer, int controller);

    IJointLayersHost* chart;
    Table xTable{};
    Table yTable{};
};
