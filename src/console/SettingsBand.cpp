// Settings band layout at the band's fixed places; the lists that never change are filled
// here, the detector-dependent ones by the window.
#include "console/SettingsBand.h"

#include "catalogue/PageLists.h"
#include "console/CompactComboStyle.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace console {

namespace {

constexpr int kRow1 = 10;
constexpr int kRow2 = 34;
constexpr int kBoxHeight = 21;
// The band sits three pixels above its page's top edge, which hides its frame; the caption
// over the thresholds starts three lower so that it is seen whole.
constexpr int kCaptionTop = 3;

// The widest caption of a label ending at the band's first box, and of a button.
constexpr int kZoneLabelRight = 82;
constexpr int kButtonWidth = 72;
// What a push button's frame and margins take of its width.
constexpr int kButtonFrame = 8;
const QString kZoneCaption = QStringLiteral("Zone length, m:");
const QString kCancelCaption = QStringLiteral("Cancel <Esc>");

QLabel* Label(QWidget* parent, const QString& text, int right, int y) {
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(right - label->width(), y + (kBoxHeight - label->height()) / 2);
    return label;
}

QComboBox* Box(QWidget* parent, int x, int y, int width, int rows, const QStringList& items = {}) {
    auto* box = new QComboBox(parent);
    box->setGeometry(x, y, width, kBoxHeight);
    box->setMaxVisibleItems(rows);
    box->addItems(items);
    box->setCurrentIndex(-1);
    // Lists wider than their box still show their items whole when open.
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumWidth(width);
    box->setMaximumWidth(width);
    box->view()->setMinimumWidth(width + 24);
    return box;
}

QStringList Items(const std::vector<std::string>& texts) {
    QStringList items;
    for (const std::string& text : texts)
        items << QString::fromStdString(text);
    return items;
}

QLabel* Coloured(QLabel* label, const QColor& colour) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->adjustSize();
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

SettingsBand::SettingsBand(char decimalSeparator, QWidget* parent)
    : QWidget(parent)
    , compactStyle(new CompactComboStyle) {
    compactStyle->setParent(this);
    Label(this, kZoneCaption, kZoneLabelRight, kRow1);
    cbDistRange = Box(this, 83, kRow1, 43, 28);
    auto* thresholds = new QLabel(QStringLiteral("Thresholds"), this);
    thresholds->move(129, kCaptionTop);
    thresholds->adjustSize();
    lRangeSens = Label(this, QStringLiteral("Sensitivity:"), 186, kRow1);
    cbRangeSens = Box(this, 187, kRow1, 43, 26);

    shWrongThresholds = new QFrame(this);
    shWrongThresholds->setGeometry(232, 6, 180, 28);
    shWrongThresholds->setFrameShape(QFrame::Box);
    shWrongThresholds->setStyleSheet(QStringLiteral("QFrame { border: 1px solid rgb(255,0,0); }"));
    shWrongThresholds->hide();
    lRangePP = Coloured(Label(this, QStringLiteral("PL:"), 255, kRow1), QColor(0, 128, 0));
    cbRangePP = Box(this, 256, kRow1, 36, 26);
    lRangeMP = Coloured(Label(this, QStringLiteral("LL:"), 311, kRow1), QColor(0, 0, 255));
    cbRangeMP = Box(this, 312, kRow1, 40, 26);
    lRangeBP = Coloured(Label(this, QStringLiteral("HL:"), 372, kRow1), QColor(255, 0, 0));
    cbRangeBP = Box(this, 373, kRow1, 36, 26);

    lNewAddress = Label(this, QStringLiteral("Addr:"), 441, kRow1);
    cbNewAddress = Box(this, 442, kRow1, 36, 12, Items(catalogue::AddressList()));
    SetAddressVisible(false);

    btnApplyRange = new QPushButton(QStringLiteral("Apply <F5>"), this);
    btnApplyRange->setGeometry(478, 9, kButtonWidth, 20);
    btnApplyRange->setEnabled(false);

    Label(this, QStringLiteral("Setup method:"), 76, kRow2);
    cbRegulRange = Box(this, 77, kRow2, 93, 4);
    Label(this, QStringLiteral("Vmin:"), 210, kRow2);
    cbNewMinSpeed = Box(this, 211, kRow2, 40, 4, Items(catalogue::MinSpeedList(decimalSeparator)));
    Label(this, QStringLiteral("Vmax:"), 286, kRow2);
    cbNewMaxSpeed = Box(this, 287, kRow2, 36, 4, Items(catalogue::MaxSpeedList()));

    lNewLetter = Label(this, QStringLiteral("Unit ID:"), 428, 17);
    lNewLetter->hide();
    cbNewLetter = Box(this, 429, 17, 34, 4, Items(catalogue::UnitIdList()));
    cbNewLetter->hide();

    lNewPos = Label(this, QStringLiteral("Position:"), 372, kRow2);
    cbNewPosSymbol = Box(this, 373, kRow2, 32, 16, Items(catalogue::SymbolList()));
    cbNewPosNumber1 = Box(this, 405, kRow2, 32, 10, Items(catalogue::DigitList()));
    cbNewPosNumber2 = Box(this, 437, kRow2, 32, 10, Items(catalogue::DigitList()));
    SetPositionVisible(false);

    btnCancelRange = new QPushButton(kCancelCaption, this);
    btnCancelRange->setGeometry(478, 33, kButtonWidth, 20);
    btnCancelRange->setEnabled(false);
    for (QComboBox* box : findChildren<QComboBox*>()) {
        box->setStyle(compactStyle);
        // A value drawn shortened is read whole in the box's tooltip.
        connect(box, &QComboBox::currentTextChanged, box, [this, box](const QString& text) {
            box->setToolTip(compactStyle->ShowsWhole(box, text) ? QString() : text);
        });
    }
    setFixedSize(556, 58);
}

bool SettingsBand::CaptionsFit(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(kZoneCaption) < kZoneLabelRight &&
           metrics.horizontalAdvance(kCancelCaption) <= kButtonWidth - kButtonFrame;
}

void SettingsBand::SetPositionVisible(bool visible) {
    lNewPos->setVisible(visible);
    cbNewPosSymbol->setVisible(visible);
    cbNewPosNumber1->setVisible(visible);
    cbNewPosNumber2->setVisible(visible);
}

bool SettingsBand::PositionVisible() const {
    return !cbNewPosSymbol->isHidden();
}

void SettingsBand::SetAddressVisible(bool visible) {
    lNewAddress->setVisible(visible);
    cbNewAddress->setVisible(visible);
}

bool SettingsBand::AddressVisible() const {
    return !cbNewAddress->isHidden();
}

} // namespace console
