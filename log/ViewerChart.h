#pragma once
// One of the log viewer's two charts: twenty line series, one per viewer channel,
// then the cursor bar, on a dark grey background with a fixed 0..100 value axis and
// a time axis that follows the points present.

#include "log/ChannelGraph.h"

#include <qcustomplot.h>

namespace dp {

class ViewerChart : public QCustomPlot {
    Q_OBJECT
public:
    static constexpr int kLineSeries = 20;
    static constexpr int kCursorBarIndex = 20;

    // labelStepAtLeastTwo: the value axis never labels steps finer than 2.
    ViewerChart(bool labelStepAtLeastTwo, QWidget* parent = nullptr);

    ChannelGraph* Series(int channel) const;
    QCPBars* CursorBar() const { return cursorBar_; }

    // Spans the time axis over the points present, unless the user has zoomed or
    // dragged the view: that view stays until a double click hands it back.
    void FitTimeAxis();
    bool UserView() const { return userView_; }
    void RestoreAutomaticView();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplyMargins();

    QCPBars* cursorBar_ = nullptr;
    bool userView_ = false;
    bool fitting_ = false;  // range changes made here are not the user's
};

}  // namespace dp
