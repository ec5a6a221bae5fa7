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

// Nothing goes to the detector: the coefficients, the filters, the display options and both
// tables go to the settings file, and the Settings page's lists are rebuilt from the tables.
void TfmMain::btnApplayParamsClick() {
    const auto adopt = [this](QLineEdit* edNew, QLineEdit* edExisting, double& coefficient) {
        const double value =
            catalogue::ParseReal(edNew->text().toStdString(), cDecimal).value_or(0);
        if (value == 0)
            return;
        coefficient = value;
        edExisting->setText(QString::fromStdString(catalogue::FormatGeneral(value, cDecimal)));
    };
    adopt(pgParams->edKdcNew, pgParams->edKdcExisting, catalogue::Kdc);
    adopt(pgParams->edUrdNew, pgParams->edUrdExisting, catalogue::Urd);
    osc.iPointsPerSecond = records::PointsPerSecondOf(pgParams->cbSelectFilter->currentIndex());
    const records::WriteOutcome outcome =
        settingsFile.WriteProperties(pgParams->Settings(), sensTable, zoneTable);
    pgParams->ShowTables();
    // Every step, whatever the detector's cs: the developer may set the short list's tail too.
    FillSensitivityLists(catalogue::kSensitivitySteps);
    if (!outcome)
        ReportError(outcome.sError);
}

} // namespace console
