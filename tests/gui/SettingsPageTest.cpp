// The Settings page on a fake detector: Cancel and its Esc, the method rules with their boxes,
// the method box read whole, the zone list by model, and the calibration command still pending
// when the page changes.
#include "ConsoleFixture.h"

#include "catalogue/DetectorCatalogue.h"
#include "catalogue/ValueScales.h"
#include "console/ErrorNotice.h"
#include "console/SettingsBand.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

namespace console {
namespace {

class SettingsPage : public ConsoleFixture {
protected:
    // A detector identified and settled: entry commands confirmed, the page in front.
    void Enter(const detlink::DetectorStatus& detector) {
        SendCycle(detector);
        Drain();
        ASSERT_EQ(window->ActivePage(), Page::Range);
        ASSERT_TRUE(ArmedSlots().empty());
    }
    // The boxes Cancel reloads, with their selections.
    std::vector<int> ReloadedSelections() const {
        const SettingsBand* b = window->gbRange;
        std::vector<int> items;
        for (const QComboBox* box :
             {b->cbRegulRange, b->cbDistRange, b->cbRangeSens, b->cbRangePP, b->cbRangeMP,
              b->cbRangeBP, b->cbNewPosSymbol, b->cbNewPosNumber1, b->cbNewPosNumber2,
              b->cbNewMinSpeed, b->cbNewMaxSpeed, b->cbNewAddress, b->cbNewLetter})
            items.push_back(box->currentIndex());
        return items;
    }
    // Which of sensitivity, PL, LL, HL are shown, and which of them take the operator's choice.
    std::vector<bool> ThresholdsShown() const {
        const SettingsBand* b = window->gbRange;
        return {!b->cbRangeSens->isHidden(), !b->cbRangePP->isHidden(), !b->cbRangeMP->isHidden(),
                !b->cbRangeBP->isHidden()};
    }
    std::vector<bool> ThresholdsEnabled() const {
        const SettingsBand* b = window->gbRange;
        return {b->cbRangeSens->isEnabled(), b->cbRangePP->isEnabled(), b->cbRangeMP->isEnabled(),
                b->cbRangeBP->isEnabled()};
    }
};

TEST_F(SettingsPage, CancelReloadsTheBoxesFromTheDetector) {
    Enter(Detector());
    SettingsBand* b = window->gbRange;
    const std::vector<int> loaded = ReloadedSelections();
    Choose(b->cbRegulRange, catalogue::MethodManual);
    Choose(b->cbRangeSens, 20);
    Choose(b->cbDistRange, 2);
    Choose(b->cbNewPosSymbol, 9);
    Choose(b->cbNewPosNumber2, 4);
    // Every box of the page, or F5 after the Cancel would send what it still shows.
    for (QComboBox* box : {b->cbNewMinSpeed, b->cbNewMaxSpeed, b->cbNewAddress, b->cbNewLetter})
        Choose(box, box->currentIndex() == 0 ? 1 : 0);
    ASSERT_NE(ReloadedSelections(), loaded);
    EXPECT_TRUE(b->btnCancelRange->isEnabled());

    b->btnCancelRange->click();
    EXPECT_EQ(ReloadedSelections(), loaded);
    EXPECT_EQ(ThresholdsShown(), (std::vector<bool>{true, true, true, true}));
    EXPECT_FALSE(b->btnApplyRange->isEnabled());
    EXPECT_FALSE(b->btnCancelRange->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_TRUE(ArmedSlots().empty());
}

// Esc is the page's Cancel, as its caption says, whichever control has the focus; an open list
// keeps its own Esc, which only closes it.
TEST_F(SettingsPage, EscRunsCancelWhileItIsEnabledAndAnOpenListKeepsItsOwn) {
    Enter(Detector());
    SettingsBand* b = window->gbRange;
    const std::vector<int> loaded = ReloadedSelections();
    for (QWidget* focus : std::initializer_list<QWidget*>{
             b->cbRegulRange, b->cbRangeSens, b->cbNewPosSymbol, window->chbSaveTrvRange}) {
        Choose(b->cbRegulRange, catalogue::MethodManual);
        Choose(b->cbRangeSens, 20);
        ASSERT_TRUE(b->btnCancelRange->isEnabled());
        focus->setFocus();
        QTest::keySequence(QApplication::focusWidget(), CaptionKey(b->btnCancelRange));
        EXPECT_EQ(ReloadedSelections(), loaded) << focus->metaObject()->className();
        EXPECT_FALSE(b->btnCancelRange->isEnabled()) << focus->metaObject()->className();
    }
    EXPECT_EQ(window->ActivePage(), Page::Range);

    Choose(b->cbRegulRange, catalogue::MethodManual);
    b->cbRangeSens->showPopup();
    ASSERT_TRUE(b->cbRangeSens->view()->isVisible());
    QTest::keyClick(b->cbRangeSens->view(), Qt::Key_Escape);
    EXPECT_FALSE(b->cbRangeSens->view()->isVisible());
    EXPECT_EQ(b->cbRegulRange->currentIndex(), catalogue::MethodManual);
    EXPECT_TRUE(b->btnCancelRange->isEnabled());
}

// The error notice does not take the keyboard, so Esc reaches the window: there it closes
// the notice first, and only the next Esc is the page's Cancel.
TEST_F(SettingsPage, EscClosesTheErrorNoticeBeforeItCancels) {
    Enter(Detector());
    SettingsBand* b = window->gbRange;
    Choose(b->cbRangeBP, 3);
    const std::vector<int> changed = ReloadedSelections();
    window->ReportError("Cannot write file \"Mirelund.ini\": No space left on device");
    ASSERT_TRUE(window->errorNotice->isVisible());

    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->errorNotice->isVisible());
    EXPECT_EQ(ReloadedSelections(), changed);
    EXPECT_TRUE(b->btnCancelRange->isEnabled());

    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_NE(ReloadedSelections(), changed);
    EXPECT_FALSE(b->btnCancelRange->isEnabled());
}

// A method wider than its box is drawn shortened there and named whole in the box's tooltip;
// the open list is wide enough for its longest entry.
TEST_F(SettingsPage, MethodsAreReadWholeInTheTooltipAndInTheOpenList) {
    auto d = Detector();
    d.w6.cs = 1;
    Enter(d);
    QComboBox* box = window->gbRange->cbRegulRange;
    ASSERT_EQ(box->count(), 4);
    const QFontMetrics metrics(box->font());
    bool someDoNotFit = false;
    for (int item = 0; item < box->count(); ++item) {
        Choose(box, item);
        QStyleOptionComboBox option;
        option.initFrom(box);
        const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, box);
        const bool fits = metrics.horizontalAdvance(box->currentText()) < field.width();
        someDoNotFit = someDoNotFit || !fits;
        EXPECT_EQ(box->toolTip().toStdString(), fits ? "" : box->currentText().toStdString());
    }
    EXPECT_TRUE(someDoNotFit) << "no method needs its tooltip in this font";

    // Each entry, from where its text starts, ends inside the open list; also in a font wider
    // than this machine's, as another machine may have.
    const QFont windowFont = box->font();
    QFont wider = windowFont;
    wider.setPixelSize(windowFont.pixelSize() + 3);
    for (const QFont& font : {windowFont, wider}) {
        box->setFont(font);
        box->showPopup();
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(list->isVisible());
        const QImage image = list->viewport()->grab().toImage();
        for (int item = 0; item < box->count(); ++item) {
            const QRect row = list->visualRect(list->model()->index(item, 0));
            int start = image.width();
            for (int y = row.top(); y <= row.bottom(); ++y)
                for (int x = 0; x < start; ++x)
                    if (qGray(image.pixel(x, y)) < 96)
                        start = x;
            EXPECT_LT(start + QFontMetrics(font).horizontalAdvance(box->itemText(item)),
                      image.width())
                << box->itemText(item).toStdString() << " at " << font.pixelSize() << " px";
        }
        box->hidePopup();
    }
}

TEST_F(SettingsPage, SpecialMethodsOfferTheirThresholdsAndApplyArmsThem) {
    Enter(Detector());
    SettingsBand* b = window->gbRange;
    Choose(b->cbRegulRange, catalogue::MethodSpecial1);
    EXPECT_EQ(ThresholdsShown(), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(ThresholdsEnabled(), (std::vector<bool>{false, true, true, true}));
    EXPECT_FALSE(b->lRangePP->isHidden());
    EXPECT_TRUE(b->lRangeSens->isHidden());

    Choose(b->cbRegulRange, catalogue::MethodSpecial2);
    EXPECT_EQ(ThresholdsShown(), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(ThresholdsEnabled(), (std::vector<bool>{false, false, false, true}));
    EXPECT_TRUE(b->lRangeMP->isHidden());
    Choose(b->cbRangeBP, 12);
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(ArmedSlots(), std::vector<int>({0, 1, 2}));
    EXPECT_EQ(detlink::DecodeCommand0(Slot(0).Bytes), (detlink::Command0Fields{1, 7, 0, 1}));
    EXPECT_EQ(detlink::DecodeCommand1(Slot(1).Bytes), (detlink::Command1Fields{7, 12, 0}));
    EXPECT_EQ(detlink::DecodeCommand2(Slot(2).Bytes).reg, catalogue::RegSpecial);

    // Once the detector reports Special 2, a reload selects it and Apply has nothing to send.
    auto d = Detector();
    d.w4.reg = catalogue::RegSpecial;
    d.w3.ctrl_pp_mp = 1;
    d.w4.sensbp = 12;
    SendCycle(d);
    Drain();
    ASSERT_TRUE(ArmedSlots().empty());
    b->btnCancelRange->click();
    EXPECT_EQ(b->cbRegulRange->currentIndex(), catalogue::MethodSpecial2);
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_TRUE(ArmedSlots().empty());
}

TEST_F(SettingsPage, ZoneChangeInAutoMovesAllFourBoxesToTheTablesStep) {
    Enter(Detector());
    SettingsBand* b = window->gbRange;
    const int zoneItem = 2; // 30 m, zone index 4
    const int step = catalogue::DefaultThresholdCount(0, zoneItem + 2);
    ASSERT_NE(step, b->cbRangePP->currentIndex());
    Choose(b->cbDistRange, zoneItem);
    EXPECT_EQ(ReloadedSelections(), (std::vector<int>{catalogue::MethodAuto, zoneItem, step, step,
                                                      step, step, 2, 0, 7, 1, 1, -1, 0}));
    EXPECT_TRUE(b->btnApplyRange->isEnabled());

    // Outside Auto the zone box is not the operator's to change, and moves nothing.
    b->btnCancelRange->click();
    Choose(b->cbRegulRange, catalogue::MethodManual);
    const int manualStep = b->cbRangePP->currentIndex();
    Choose(b->cbDistRange, zoneItem);
    EXPECT_EQ(b->cbRangeSens->currentIndex(), manualStep);
    EXPECT_EQ(b->cbRangePP->currentIndex(), manualStep);
}

TEST_F(SettingsPage, ShortRangeModelListsFiftyMetresAndShowsNoZoneBeyond) {
    auto d = Detector();
    d.w6.dev = 3;
    d.w4.dist = 31;
    Enter(d);
    QComboBox* zone = window->gbRange->cbDistRange;
    ASSERT_EQ(zone->count(), 5);
    EXPECT_EQ(zone->itemText(0), "10");
    EXPECT_EQ(zone->itemText(4), "50");
    EXPECT_EQ(zone->currentIndex(), -1);
    // With no zone chosen the speed group stays out; the zone must not go out as item -1 + 2.
    Choose(window->gbRange->cbNewMaxSpeed, 3);
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_TRUE(ArmedSlots().empty());
}

// The detector has not yet entered calibration when the installer leaves the page; the
// command it has not confirmed keeps its fields and only turns round its o_state.
TEST_F(SettingsPage, LeavingCalibrationCorrectsTheCommandStillAwaited) {
    Enter(Detector());
    QTest::keyClick(window.get(), Qt::Key_F2);
    ASSERT_EQ(SlotState(), 1);
    // Meanwhile the detector reports another PL, still in Normal: slot 0 stays unconfirmed.
    auto d = Detector();
    d.w3.senspp = 9;
    Send({d.Word(3)});
    ASSERT_TRUE(Slot(0).bAwait);

    QTest::keyClick(window.get(), Qt::Key_F3);
    EXPECT_EQ(window->ActivePage(), Page::Range);
    EXPECT_TRUE(Slot(0).bSend);
    EXPECT_EQ(detlink::DecodeCommand0(Slot(0).Bytes), (detlink::Command0Fields{1, 7, 0, 0}));
}

} // namespace
} // namespace console
