// The Settings page's "Alarms  " group: "Save <F6>", the recording's alarm number beside the
// caption and "Reset <F8>", at their fixed places.
#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QPushButton;

namespace console {

class AlarmsGroup : public QGroupBox {
public:
    explicit AlarmsGroup(QWidget* parent = nullptr);

    QCheckBox* chbSaveTrvRange;
    QLabel* lTrvNumberRange;
    QPushButton* btnClearTrvRange;

protected:
    // The caption and the number stand on the frame's top line, which leaves a gap for them:
    // the group is too low for a caption above its frame.
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the caption is drawn; its middle is the frame's top line.
    QRect CaptionRect() const;
};

} // namespace console
