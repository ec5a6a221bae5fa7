// One chart axis: manual range, increment, title, grid style and label format.
#pragma once

#include <string>

namespace chart {

enum class GridStyle { Solid, Dash, Dot, DashDot, DashDotDot };

struct Axis {
    double minimum = 0;
    double maximum = 100;
    double increment = 0; // 0: the drawing picks a step
    std::string title;
    bool visible = true;
    bool gridVisible = true;
    GridStyle gridStyle = GridStyle::DashDotDot;
    std::string labelFormat = "###0.###";

    // Keeps minimum <= maximum whatever order callers set them in.
    void SetMinMax(double min, double max) {
        minimum = min < max ? min : max;
        maximum = min < max ? max : min;
    }
};

} // namespace chart
