// The Properties page's controls: the two correspondence grids, which edit the catalogue's
// tables in place, the filter lists, the oscillogram's display options and the coefficients.
#pragma once

#include "catalogue/CorrespondenceTables.h"
#include "records/Settings.h"

#include <QTableWidget>
#include <QWidget>

#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace console {

// A correspondence grid: the table's heading row and column are its headers, with the heading
// column's caption in the corner, and every text is seen whole.
class PropertyGrid : public QTableWidget {
public:
    // Cells of the table without its headings; each column at least its width in
    // columnWidths, the heading column at least headingWidth.
    PropertyGrid(std::vector<int> columnWidths, int rows, int headingWidth,
                 QWidget* parent = nullptr);
    void SetCornerCaption(const QString& caption);
    // Each column, and the heading column, as wide as its widest text needs.
    void FitToTexts();
    // The open editor's text goes into its cell (and so into the table), and the editor closes.
    void CommitEditor();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const std::vector<int> columnWidths;
    const int headingWidth;
    QString cornerCaption;
    QAbstractButton* corner;
};

class PropertiesPage : public QWidget {
    Q_OBJECT
public:
    PropertiesPage(catalogue::SensitivityTable& sensitivity, catalogue::ZoneLengthTable& zoneLength,
                   char decimalSeparator, QWidget* parent = nullptr);

    // Every cell of both grids from the tables, as after the file was read.
    void ShowTables();
    // The lists, the check box, the display mode and all four coefficient boxes (from
    // catalogue::Kdc and Urd).
    void ShowSettings(const records::PropertySettings& settings);
    // Both boxes of each coefficient show its present value; what was typed is dropped.
    void ShowCoefficients();
    // A cell still being typed goes into its table, so Apply writes what the grid shows.
    void CommitEdits();
    // The controls' present state, with the coefficients in force.
    records::PropertySettings Settings() const;
    // The selected "Display threshold excess by" choice, -1 when none is.
    int ThresholdMode() const;

    PropertyGrid* sgSens;
    PropertyGrid* sgDist;
    QComboBox* cbMaxTenPercent;
    QComboBox* cbSelectFilter;
    QCheckBox* cbDisplaySignalDuringAlarm;
    QGroupBox* rgThresholds;
    QLineEdit* edKdcNew;
    QLineEdit* edKdcExisting;
    QLineEdit* edUrdNew;
    QLineEdit* edUrdExisting;
    QPushButton* btnApplayParams;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetThresholdMode(int mode);
    void sgSensEdited(QTableWidgetItem* item);
    void sgDistEdited(QTableWidgetItem* item);

    catalogue::SensitivityTable& sensTable;
    catalogue::ZoneLengthTable& zoneTable;
    char cDecimal;
    QButtonGroup* thresholdModes;
};

} // namespace console
