#pragma once
// The dashboard's arithmetic and tables: where the twelve gauges and the lamp panel
// go for a client size, which sample field each gauge and lamp shows.

#include "ecu/EngineSample.h"

#include <QRect>
#include <array>
#include <cstdint>

namespace dp {

constexpr int kPanelHeight = 61;
constexpr int kPanelDesignWidth = 901;
constexpr int kLampWidth = 81;
constexpr int kLampHeight = 25;
constexpr uint32_t kLampOnColor = 0x008000;   // green
constexpr uint32_t kLampOffColor = 0x000080;  // maroon

struct DashboardGeometry {
    std::array<QRect, 12> images;  // Image1 ... Image12
    int panelTop = 0;
    int panelWidth = 0;
};

// Four columns by three rows of square gauges above the panel. Sizes below the
// window's minimum give empty rectangles rather than negative ones.
DashboardGeometry DashboardGeometryFor(int clientWidth, int clientHeight, int panelHeight = kPanelHeight);

struct GaugeSpec {
    int image;  // 1 ... 12
    const char* title;
    float TEngineSample::*field;
    float minimum;
    float maximum;
    const char* hint;  // UTF-8
};

struct LampSpec {
    int shape;  // 1 ... 8
    const char* caption;
    int captionLabel;  // number of its caption label
    uint8_t TEngineSample::*flag;
    QPoint pos;         // on the panel at its design width
    QPoint captionPos;  // likewise
};

extern const std::array<GaugeSpec, 12> kGauges;  // in image order
extern const std::array<LampSpec, 8> kLamps;     // in shape order

// Lamps keep their distance from the panel's right edge.
inline QPoint AnchoredToRight(QPoint designPos, int panelWidth)
{
    return {designPos.x() + panelWidth - kPanelDesignWidth, designPos.y()};
}

inline uint32_t LampColor(uint8_t flag)
{
    return flag != 0 ? kLampOnColor : kLampOffColor;
}

}  // namespace dp
