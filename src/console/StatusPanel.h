// The "Parameters" group of the left column: the detector's identity and live values,
// and the COM port list under "Connection <F4>".
#pragma once

#include <QGroupBox>
#include <QPixmap>

class QLabel;

namespace console {

class PortComboBox;

class StatusPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);

    // Shows or hides a line together with its caption.
    void SetPositionVisible(bool visible);
    void SetAddressVisible(bool visible);
    // The state line's text on its background and text colours.
    void SetState(const QString& text, const QColor& background, const QColor& foreground);

    QLabel* lModel;
    QLabel* lVersion;
    QLabel* lOutput;
    QLabel* lUnitId;
    QLabel* lPositionCaption;
    QLabel* lPosition;
    QLabel* lAddressCaption;
    QLabel* lAddress;
    QLabel* lState;
    QLabel* lDist;
    QLabel* lRegul;
    QLabel* lSens;
    QLabel* lSpeed;
    QLabel* lAver;
    QLabel* lPower;
    QLabel* lConnection;
    PortComboBox* cbComPort;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPixmap frameCache;
    QRect titleRect;
};

} // namespace console
