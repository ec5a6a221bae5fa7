// Alarm recording from the Settings page's "Alarms" group, and what the recording asks of
// the window: its picture, the traffic log and the operator's error report.
#include "console/Main.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <cstring>

namespace console {

// The "Stop Recording" picture still shows the recording's alarm number; the counter reads
// "0" once the recording has ended.
void TfmMain::chbSaveTrvRangeClick() {
    const bool on = chbSaveTrvRange->isChecked();
    lTrvNumberRange->setEnabled(on);
    btnClearTrvRange->setEnabled(on);
    if (on) {
        recording.StartRecording();
        RememberRecordedDetector();
    } else
        EndRecording();
    lTrvNumberRange->setText(QStringLiteral("0"));
}

void TfmMain::btnClearTrvRangeClick() {
    EndRecording();
    lTrvNumberRange->setText(QStringLiteral("0"));
    recording.StartRecording();
    RememberRecordedDetector();
}

// The alarm number is the recording's alarm count, shown before each picture so that the
// picture of an alarm carries its own number.
records::Image TfmMain::RenderWindow() {
    if (recording.bRecording())
        lTrvNumberRange->setText(QString::number(recording.Events.iAlarmCount));
    const QImage picture = grab().toImage().convertToFormat(QImage::Format_RGB888);
    records::Image image;
    if (picture.isNull())
        return image;
    image.iWidth = picture.width();
    image.iHeight = picture.height();
    image.iChannels = 3;
    const std::size_t row = static_cast<std::size_t>(image.iWidth) * 3;
    image.pixels.resize(row * static_cast<std::size_t>(image.iHeight));
    for (int y = 0; y < image.iHeight; ++y)
        std::memcpy(image.pixels.data() + row * static_cast<std::size_t>(y),
                    picture.constScanLine(y), row);
    return image;
}

bool TfmMain::WriteLogLine(const std::string& text) {
    return trafficLog.WriteLogLine(text);
}

} // namespace console
