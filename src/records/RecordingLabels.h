// The picture labels of alarm recording, shared by the link cycle, the oscillogram and the
// Settings page so that every caller names its pictures alike.
#pragma once

namespace records {

inline constexpr const char* kLabelStartRecording = "Start Recording";
inline constexpr const char* kLabelStopRecording = "Stop Recording";
inline constexpr const char* kLabelCalibration = "Calibration";
inline constexpr const char* kLabelSettingsChange = "Settings Change";
inline constexpr const char* kLabelPause = "Pause";
inline constexpr const char* kLabelDisconnection = "Disconnection";
inline constexpr const char* kLabelNormal = "Normal";
inline constexpr const char* kLabelMalfunction = "Malfunction";
// Followed by the new count.
inline constexpr const char* kLabelAlarm = "Alarm ";
inline constexpr const char* kLabelPreAlarmPL = "Pre Alarm PL ";
inline constexpr const char* kLabelPreAlarmLL = "Pre Alarm LL ";

} // namespace records
