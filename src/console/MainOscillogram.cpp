// Where the window hands over to the oscillogram and draws the Calibration chart.
#include "console/Main.h"

namespace console {

void TfmMain::MarkPlotTime() {}

void TfmMain::RunOscillogram() {}

void TfmMain::FitOscillogram() {}

void TfmMain::OnNewAlarm() {}

void TfmMain::ResetAlarmLatches() {}

} // namespace console
