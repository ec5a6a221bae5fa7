// The status lines follow every input they are made from: a coefficient, a table cell or a
// system colour changed while the detector repeats the same words shows at its next word.
#include "ConsoleFixture.h"

#include "catalogue/CorrespondenceTables.h"
#include "catalogue/DetectorCatalogue.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"
#include "console/PropertiesPage.h"
#include "console/StatusPanel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTableWidget>

namespace console {
namespace {

constexpr int kState5 = 5; // shown in the system's own button colour
const QColor kOtherButtonFace(10, 20, 30);

class StatusLines : public ConsoleFixture {
public:
    static QString Volts(const TfmMain& w) {
        return Decimal(QString::fromStdString(
                   catalogue::FormatFixed(catalogue::SupplyVolts(w.Status().w7.pwr), 1, '.'))) +
               "  V";
    }
    static void ApplyCoefficient(TfmMain& w, QLineEdit* box, const char* value) {
        box->setText(Decimal(value));
        w.pgParams->btnApplayParams->click();
    }

protected:
    // Developer access, so that the Properties page edits the coefficients and the tables.
    int StartAccessLevel() const override { return 2; }
    void TearDown() override {
        QApplication::setPalette(palette);
        ConsoleFixture::TearDown();
    }
    QPalette palette = QApplication::palette();
};

struct InputCase {
    const char* name;
    // Changes one input of a line and nothing the detector says.
    void (*change)(TfmMain&);
    // What the line shows, and what it should show from the inputs as they are now.
    QString (*shown)(const TfmMain&);
    QString (*expected)(const TfmMain&);
};

void PrintTo(const InputCase& c, std::ostream* os) {
    *os << c.name;
}

class StatusLineInputs : public StatusLines, public testing::WithParamInterface<InputCase> {};

TEST_P(StatusLineInputs, ShowAnInputChangedWithoutANewWordAtTheNextWord) {
    const InputCase& c = GetParam();
    detlink::DetectorStatus d = Detector();
    d.w2.state = kState5;
    SendCycle(d);
    SendCycle(d);
    ASSERT_EQ(c.shown(*window), c.expected(*window));
    const QString before = c.shown(*window);

    c.change(*window);
    SendCycle(d);
    EXPECT_NE(c.shown(*window), before);
    EXPECT_EQ(c.shown(*window), c.expected(*window));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, StatusLineInputs,
    testing::Values(
        InputCase{"KdcApplied",
                  [](TfmMain& w) { StatusLines::ApplyCoefficient(w, w.pgParams->edKdcNew, "20"); },
                  [](const TfmMain& w) { return w.gbParameters->lPower->text(); },
                  StatusLines::Volts},
        InputCase{
            "UrdApplied",
            [](TfmMain& w) { StatusLines::ApplyCoefficient(w, w.pgParams->edUrdNew, "-2.5"); },
            [](const TfmMain& w) { return w.gbParameters->lPower->text(); }, StatusLines::Volts},
        // Auto at 150 m in the 10 GHz band: the zone table's cell gives the sensitivity.
        InputCase{"ZoneTableCell",
                  [](TfmMain& w) { w.pgParams->sgDist->item(0, 16 - 2)->setText("3"); },
                  [](const TfmMain& w) { return w.gbParameters->lSens->text(); },
                  [](const TfmMain& w) {
                      return w.pgParams->sgDist->item(0, 16 - 2)->text() == "3"
                                 ? QStringLiteral("94  %")
                                 : QStringLiteral("86  %");
                  }},
        InputCase{"SystemButtonColour",
                  [](TfmMain&) {
                      QPalette palette = QApplication::palette();
                      palette.setColor(QPalette::Button, kOtherButtonFace);
                      QApplication::setPalette(palette);
                  },
                  [](const TfmMain& w) {
                      return w.gbParameters->lState->palette().color(QPalette::Window).name();
                  },
                  [](const TfmMain&) { return QPalette().color(QPalette::Button).name(); }}),
    [](const testing::TestParamInfo<InputCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace console
