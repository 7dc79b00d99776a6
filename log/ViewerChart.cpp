#include "log/ViewerChart.h"

#include "log/ChannelGraph.h"
#include "log/Channels.h"
#include "log/ViewerLayout.h"

#include <algorithm>

namespace dp {

namespace {

const QColor kBackground(80, 80, 80);
const QColor kLegendBack(128, 128, 128);
const QColor kAxisText(230, 230, 230);
const QColor kGrid(110, 110, 110);

void StyleAxis(QCPAxis* axis)
{
    axis->setBasePen(QPen(kAxisText));
    axis->setTickPen(QPen(kAxisText));
    axis->setSubTickPen(QPen(kAxisText));
    axis->setTickLabelColor(kAxisText);
    axis->grid()->setPen(QPen(kGrid, 0, Qt::DotLine));
}

}  // namespace

ViewerChart::ViewerChart(bool labelStepAtLeastTwo, QWidget* parent) : QCustomPlot(parent)
{
    setBackground(kBackground);
    // Plain one-pixel lines: a dense log fills whole pixel columns, which antialiased
    // strokes make many times dearer to paint, for no gain in the picture.
    setNotAntialiasedElements(QCP::aePlottables);
    axisRect()->setBackground(Qt::NoBrush);  // the chart's own grey shows through
    StyleAxis(xAxis);
    StyleAxis(yAxis);
    yAxis->setRange(kValueAxisLower, kValueAxisUpper);
    if (labelStepAtLeastTwo) {
        QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
        ticker->setTickStep(2);
        ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
        yAxis->setTicker(ticker);
    }

    for (const Channel& channel : kChannels) {
        auto* series = new ChannelGraph(xAxis, yAxis);  // registers itself with the chart
        series->setName(QString::fromUtf8(channel.Name));
        series->setPen(QPen(QColor(channel.Color.Red, channel.Color.Green, channel.Color.Blue)));
        series->setLineStyle(QCPGraph::lsLine);
        series->setScatterStyle(QCPScatterStyle::ssNone);
        // Long logs draw about one line piece per pixel column, whatever their length.
        series->setAdaptiveSampling(true);
        series->removeFromLegend();
    }
    cursorBar_ = new QCPBars(xAxis, yAxis);
    cursorBar_->setName(QStringLiteral("Cursor"));
    cursorBar_->setPen(QPen(Qt::black));
    cursorBar_->setBrush(Qt::black);
    cursorBar_->setWidthType(QCPBars::wtAbsolute);
    cursorBar_->setWidth(2);
    cursorBar_->setBaseValue(0);
    cursorBar_->removeFromLegend();

    // The legend stands right of the plot, its top at the top margin.
    auto* legendColumn = new QCPLayoutGrid;
    plotLayout()->addElement(0, 1, legendColumn);
    plotLayout()->setColumnStretchFactor(1, 0.001);
    legendColumn->addElement(0, 0, legend);
    legendColumn->addElement(1, 0, new QCPLayoutElement(this));
    legendColumn->setRowStretchFactor(0, 0.001);
    legend->setVisible(false);  // shown once a channel is ticked
    legend->setBrush(kLegendBack);
    legend->setBorderPen(QPen(Qt::black));
    legend->setIconSize(20, 8);
    QFont legendFont = font();
    legendFont.setPixelSize(10);
    legend->setFont(legendFont);
    legend->setRowSpacing(0);
    legend->setColumnSpacing(4);
    legend->setMargins(QMargins(4, 2, 4, 2));

    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    axisRect()->setRangeDrag(Qt::Horizontal | Qt::Vertical);
    axisRect()->setRangeZoom(Qt::Horizontal | Qt::Vertical);
    auto noteUserView = [this] {
        if (!fitting_) userView_ = true;
    };
    connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, noteUserView);
    connect(yAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, noteUserView);
    connect(this, &QCustomPlot::mouseDoubleClick, this, [this] { RestoreAutomaticView(); });
    ApplyMargins();
}

ChannelGraph* ViewerChart::Series(int channel) const { return static_cast<ChannelGraph*>(graph(channel)); }

void ViewerChart::FitTimeAxis()
{
    if (userView_) return;
    fitting_ = true;
    xAxis->rescale();
    fitting_ = false;
}

void ViewerChart::RestoreAutomaticView()
{
    userView_ = false;
    fitting_ = true;
    yAxis->setRange(kValueAxisLower, kValueAxisUpper);
    fitting_ = false;
    FitTimeAxis();
    replot(rpQueuedReplot);
}

void ViewerChart::ApplyMargins()
{
    const ChartMargins m = ChartMarginsFor(width(), height());
    plotLayout()->setMargins(QMargins(m.Left, m.Top, m.Right, m.Bottom));
    // As many legend rows as the chart's height holds; more channels go to a new column.
    const int rowHeight = QFontMetrics(legend->font()).height() + 1;
    legend->setWrap(std::max(1, (height() - m.Top - m.Bottom - 6) / rowHeight));
    legend->setFillOrder(QCPLayoutGrid::foRowsFirst, true);
}

void ViewerChart::resizeEvent(QResizeEvent* event)
{
    ApplyMargins();
    QCustomPlot::resizeEvent(event);
}

}  // namespace dp
