#pragma once
// Showing one sample on the main window's gauges and lamps, and placing the gauges.

#include "dashboard/GaugeCache.h"
#include "dashboard/GaugeRenderer.h"
#include "ecu/EngineSample.h"

#include <array>

class QWidget;

namespace dp {

class GaugeImageWidget;
class LampShapeWidget;

using GaugeImages = std::array<GaugeImageWidget*, 12>;  // Image1 ... Image12
using LampShapes = std::array<LampShapeWidget*, 8>;     // Shape1 ... Shape8
using GaugeCaches = std::array<GaugeCache, 12>;         // one per image, in image order

// Draws the twelve gauges in image order, then sets the lamp colours. Null entries
// are skipped. With caches, only gauges whose shown value changed are drawn and
// repainted, with the same pixels; without, every gauge is drawn from scratch.
void DrawSampleOnDashboard(const TEngineSample& sample, const GaugeImages& images, const LampShapes& shapes,
                           const GaugeColors& colors, const GaugeFonts& fonts, QChar decimalPoint,
                           GaugeCaches* caches = nullptr);

// Moves the images and the panel to DashboardGeometryFor the client size (the panel
// keeps its left and height).
void PlaceDashboard(int clientWidth, int clientHeight, const GaugeImages& images, QWidget* panel);

}  // namespace dp
