// Anchors the chart library; the model is header-only data.
#include "chart/ChartModel.h"
