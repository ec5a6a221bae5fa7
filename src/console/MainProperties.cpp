// Developer access and the Properties page: the password, the page's show routine and Apply.
#include "console/Main.h"

#include "catalogue/DetectorCatalogue.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"
#include "console/Password.h"
#include "console/PropertiesPage.h"
#include "records/Version.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace console {

void TfmMain::BuildPropertiesPage() {
    pgParams = new PropertiesPage(sensTable, zoneTable, cDecimal, tsParams);
    auto* layout = new QVBoxLayout(tsParams);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pgParams);
    connect(pgParams->btnApplayParams, &QPushButton::clicked, this,
            [this] { btnApplayParamsClick(); });
}

// The caption is built from the base each time, so entering the code again never doubles
// the suffix.
void TfmMain::actEnterPasswordExecute() {
    TfrmPassword dialog(this);
    if (dialog.exec() == TfrmPassword::Yes) {
        eAccessLevel = 2;
        setWindowTitle(QString::fromStdString(records::BaseCaption()) +
                       QStringLiteral(" : Developer access"));
    }
    UpdatePageTabs();
}

void TfmMain::tsParamsShow() {
    pgParams->ShowCoefficients();
}

namespace {

// A cell the developer typed that Apply did not keep as typed: its value fell back to the
// default or was kept within its range. Texts that only change their form ("20.0") are not.
template <typename Table>
void ListPutBackCells(const Table& typed, const Table& kept, char decimalSeparator,
                      QStringList& words) {
    for (int c = 1; c < Table::kColumns; ++c)
        for (int r = 1; r < Table::kRows; ++r) {
            const std::string& before = typed.Cell(c, r);
            const std::string& after = kept.Cell(c, r);
            if (before == after || catalogue::ParseReal(before, decimalSeparator) ==
                                       catalogue::ParseReal(after, decimalSeparator))
                continue;
            words << QStringLiteral("%1 %2: \"%3\" put back to %4")
                         .arg(QString::fromStdString(kept.Cell(0, r)),
                              QString::fromStdString(kept.Cell(c, 0)),
                              QString::fromStdString(before), QString::fromStdString(after));
        }
}

} // namespace

// Nothing goes to the detector: the coefficients, the filters, the display options and both
// tables go to the settings file, and the Settings page's lists are rebuilt from the tables.
void TfmMain::btnApplayParamsClick() {
    // F5 leaves the focus where it is, in a cell still being typed.
    pgParams->CommitEdits();
    QStringList words;
    const auto adopt = [this, &words](QLineEdit* edNew, QLineEdit* edExisting, double& coefficient,
                                      const char* name, double low, double high) {
        const double value =
            catalogue::ParseReal(edNew->text().toStdString(), cDecimal).value_or(0);
        if (value == 0)
            return;
        // A coefficient no divider can have would make every supply reading absurd.
        if (!(value >= low && value <= high)) {
            words << QStringLiteral("%1 %2 refused: it must lie between %3 and %4")
                         .arg(QString::fromLatin1(name), edNew->text(),
                              QString::fromStdString(catalogue::FormatGeneral(low, cDecimal)),
                              QString::fromStdString(catalogue::FormatGeneral(high, cDecimal)));
            return;
        }
        coefficient = value;
        edExisting->setText(QString::fromStdString(catalogue::FormatGeneral(value, cDecimal)));
    };
    adopt(pgParams->edKdcNew, pgParams->edKdcExisting, catalogue::Kdc, "Kdc", catalogue::kMinKdc,
          catalogue::kMaxKdc);
    adopt(pgParams->edUrdNew, pgParams->edUrdExisting, catalogue::Urd, "Urd", catalogue::kMinUrd,
          catalogue::kMaxUrd);
    osc.iPointsPerSecond = records::PointsPerSecondOf(pgParams->cbSelectFilter->currentIndex());
    const catalogue::SensitivityTable typedSens = sensTable;
    const catalogue::ZoneLengthTable typedZones = zoneTable;
    const records::WriteOutcome outcome =
        settingsFile.WriteProperties(pgParams->Settings(), sensTable, zoneTable);
    if (outcome) {
        ListPutBackCells(typedSens, sensTable, cDecimal, words);
        ListPutBackCells(typedZones, zoneTable, cDecimal, words);
    }
    pgParams->ShowTables();
    // Every step, whatever the detector's cs: the developer may set the short list's tail too.
    FillSensitivityLists(catalogue::kSensitivitySteps);
    if (!outcome)
        ReportError(outcome.sError);
    for (const QString& word : words)
        ShowNotice(word);
}

} // namespace console
