// The Settings page's top band: every setting the detector accepts, with Apply and Cancel.
#pragma once

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace console {

class CompactComboStyle;

class SettingsBand : public QWidget {
    Q_OBJECT
public:
    // Speed texts carry the user's decimal separator.
    explicit SettingsBand(char decimalSeparator, QWidget* parent = nullptr);
    // Whether the band's widest captions fit their fixed places in this font: the window's
    // font is chosen by it where a Tahoma is wider than the one the layout was drawn for.
    static bool CaptionsFit(const QFont& font);

    // The three position boxes and their caption, shown from the first position word on.
    void SetPositionVisible(bool visible);
    bool PositionVisible() const;
    void SetAddressVisible(bool visible);
    bool AddressVisible() const;

    QComboBox* cbDistRange;
    QComboBox* cbRegulRange;
    QLabel* lRangeSens;
    QComboBox* cbRangeSens;
    QFrame* shWrongThresholds;
    QLabel* lRangePP;
    QComboBox* cbRangePP;
    QLabel* lRangeMP;
    QComboBox* cbRangeMP;
    QLabel* lRangeBP;
    QComboBox* cbRangeBP;
    QComboBox* cbNewMinSpeed;
    QComboBox* cbNewMaxSpeed;
    QLabel* lNewAddress;
    QComboBox* cbNewAddress;
    QLabel* lNewLetter;
    QComboBox* cbNewLetter;
    QLabel* lNewPos;
    QComboBox* cbNewPosSymbol;
    QComboBox* cbNewPosNumber1;
    QComboBox* cbNewPosNumber2;
    QPushButton* btnApplyRange;
    QPushButton* btnCancelRange;

private:
    CompactComboStyle* compactStyle;
};

} // namespace console
