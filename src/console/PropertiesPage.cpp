// Layout of the Properties page and the grids' link to the correspondence tables.
#include "console/PropertiesPage.h"

#include "catalogue/NumberFormat.h"
#include "records/FilterLists.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableWidget>

#include <algorithm>
#include <utility>

namespace console {

namespace {

// The grids keep these distances to the page's right edge as the window widens.
constexpr int kDesignWidth = 643;
constexpr int kSensRight = kDesignWidth - 8 - 631;
constexpr int kDistRight = kDesignWidth - 8 - 630;
constexpr int kRowHeight = 16;
// Room between a value fitted to its column and the next column's line.
constexpr int kValueGap = 2;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The designed widths of the grids' columns; the zone-length grid's first nine (10 to 90 m)
// are narrower. A column fitted to a wider text grows beyond them.
constexpr int kSensColumnWidth = 26;
constexpr int kDistColumnWidth = 20;
constexpr int kDistNarrowColumns = 9;
constexpr int kDistNarrowWidth = 16;

std::vector<int> SensColumnWidths() {
    return std::vector<int>(catalogue::SensitivityTable::kColumns - 1, kSensColumnWidth);
}

std::vector<int> DistColumnWidths() {
    std::vector<int> widths(catalogue::ZoneLengthTable::kColumns - 1, kDistColumnWidth);
    std::fill_n(widths.begin(), kDistNarrowColumns, kDistNarrowWidth);
    return widths;
}

QComboBox* List(QWidget* parent, const auto& entries, int x, int y) {
    auto* box = new QComboBox(parent);
    for (std::string_view entry : entries)
        box->addItem(QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())));
    box->setGeometry(x, y, 57, 21);
    return box;
}

} // namespace

PropertiesPage::PropertiesPage(catalogue::SensitivityTable& sensitivity,
                               catalogue::ZoneLengthTable& zoneLength, char decimalSeparator,
                               QWidget* parent)
    : QWidget(parent)
    , sensTable(sensitivity)
    , zoneTable(zoneLength)
    , cDecimal(decimalSeparator) {
    auto* gbSens =
        new QGroupBox(QStringLiteral("Threshold (%) - sensivity (%)  correspondence table"), this);
    gbSens->setGeometry(8, 0, 631, 113);
    sgSens =
        new PropertyGrid(SensColumnWidths(), catalogue::SensitivityTable::kRows - 1, 26, gbSens);
    connect(sgSens, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { sgSensEdited(item); });

    auto* gbDist = new QGroupBox(
        QStringLiteral("Threshold (counts)- zone length (m) correspondence table"), this);
    gbDist->setGeometry(8, 112, 630, 100);
    sgDist =
        new PropertyGrid(DistColumnWidths(), catalogue::ZoneLengthTable::kRows - 1, 65, gbDist);
    connect(sgDist, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { sgDistEdited(item); });

    auto* gbAdditional = new QGroupBox(QStringLiteral("Additional"), this);
    gbAdditional->setGeometry(8, 213, 417, 64);
    auto* fluctuations =
        new QLabel(QStringLiteral("Signal fluctuations >10% to be filtered:"), gbAdditional);
    fluctuations->setGeometry(8, 16, 200, 21);
    cbMaxTenPercent = List(gbAdditional, records::kFluctuationEntries, 208, 16);
    auto* scaling = new QLabel(QStringLiteral("Signal scaling to counts/sec:"), gbAdditional);
    scaling->setGeometry(8, 39, 200, 21);
    cbSelectFilter = List(gbAdditional, records::kSignalScalingEntries, 208, 39);
    cbDisplaySignalDuringAlarm =
        new QCheckBox(QStringLiteral("Display signal during alarm"), gbAdditional);
    cbDisplaySignalDuringAlarm->setGeometry(268, 16, 147, 21);

    rgThresholds = new QGroupBox(QStringLiteral("Display threshold excess by"), this);
    rgThresholds->setGeometry(8, 277, 169, 84);
    thresholdModes = new QButtonGroup(rgThresholds);
    const char* modes[] = {"Signal level like indicator ", "Signal level NOT like indicator ",
                           "Indicator only", "Signal only"};
    for (int mode = 0; mode < 4; ++mode) {
        auto* choice = new QRadioButton(QString::fromLatin1(modes[mode]), rgThresholds);
        choice->setGeometry(8, 16 + mode * 16, 157, 16);
        thresholdModes->addButton(choice, mode);
    }
    SetThresholdMode(0);

    auto* gbFactors = new QGroupBox(QStringLiteral("Factors"), this);
    gbFactors->setGeometry(184, 277, 169, 81);
    (new QLabel(QStringLiteral("New"), gbFactors))->setGeometry(48, 14, 56, 13);
    (new QLabel(QStringLiteral("Existing"), gbFactors))->setGeometry(108, 14, 56, 13);
    (new QLabel(QStringLiteral("Kdc:"), gbFactors))->setGeometry(8, 30, 36, 21);
    (new QLabel(QStringLiteral("Urd:"), gbFactors))->setGeometry(8, 54, 36, 21);
    const auto box = [gbFactors](int x, int y, bool readOnly) {
        auto* edit = new QLineEdit(gbFactors);
        edit->setGeometry(x, y, 56, 21);
        edit->setReadOnly(readOnly);
        return edit;
    };
    edKdcNew = box(48, 30, false);
    edKdcExisting = box(108, 30, true);
    edUrdNew = box(48, 54, false);
    edUrdExisting = box(108, 54, true);

    btnApplayParams = new QPushButton(QStringLiteral("Apply <F5>"), this);
    btnApplayParams->setGeometry(439, 304, 97, 25);
    btnApplayParams->setToolTip(QStringLiteral("Apply device settings"));
    btnApplayParams->setEnabled(false);
}

void PropertiesPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    QWidget* gbSens = sgSens->parentWidget();
    QWidget* gbDist = sgDist->parentWidget();
    gbSens->resize(std::max(width() - 8 - kSensRight, 0), gbSens->height());
    gbDist->resize(std::max(width() - 8 - kDistRight, 0), gbDist->height());
    sgSens->setGeometry(4, 16, gbSens->width() - 8, gbSens->height() - 20);
    sgDist->setGeometry(4, 16, gbDist->width() - 8, gbDist->height() - 20);
}

namespace {

// The grid shows the table without its heading row and column, which become its headers.
template <typename Table> void ShowGrid(PropertyGrid* grid, const Table& table) {
    {
        const QSignalBlocker quiet(grid);
        for (int c = 1; c < Table::kColumns; ++c) {
            grid->setHorizontalHeaderItem(c - 1, new QTableWidgetItem(Text(table.Cell(c, 0))));
            for (int r = 1; r < Table::kRows; ++r)
                grid->item(r - 1, c - 1)->setText(Text(table.Cell(c, r)));
        }
        for (int r = 1; r < Table::kRows; ++r)
            grid->setVerticalHeaderItem(r - 1, new QTableWidgetItem(Text(table.Cell(0, r))));
    }
    grid->SetCornerCaption(Text(table.Cell(0, 0)));
    grid->FitToTexts();
}

} // namespace

// The tables' heading row and column become the grid's headers, so they stay in place while
// the cells scroll and cannot be edited.
PropertyGrid::PropertyGrid(std::vector<int> columnWidths, int rows, int headingWidth,
                           QWidget* parent)
    : QTableWidget(rows, static_cast<int>(columnWidths.size()), parent)
    , columnWidths(std::move(columnWidths))
    , headingWidth(headingWidth)
    , corner(findChild<QAbstractButton*>()) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The style shortens a text a few pixels before the width its cell's size hint asks for;
    // left whole, the text fits that width.
    setTextElideMode(Qt::ElideNone);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(kRowHeight);
    horizontalHeader()->setFixedHeight(kRowHeight);
    for (int c = 0; c < columnCount(); ++c)
        for (int r = 0; r < rowCount(); ++r)
            setItem(r, c, new QTableWidgetItem);
    // The corner button draws a heading without text; its caption is drawn here instead.
    corner->installEventFilter(this);
    FitToTexts();
}

void PropertyGrid::SetCornerCaption(const QString& caption) {
    cornerCaption = caption;
    corner->update();
}

void PropertyGrid::FitToTexts() {
    for (int c = 0; c < columnCount(); ++c) {
        int width = std::max(columnWidths[static_cast<std::size_t>(c)],
                             horizontalHeader()->sectionSizeHint(c));
        for (int r = 0; r < rowCount(); ++r)
            width = std::max(width, sizeHintForIndex(model()->index(r, c)).width() + kValueGap);
        setColumnWidth(c, width);
    }
    QStyleOptionHeader caption;
    caption.initFrom(verticalHeader());
    caption.text = cornerCaption;
    const int captionWidth =
        style()
            ->sizeFromContents(QStyle::CT_HeaderSection, &caption, QSize(), verticalHeader())
            .width();
    verticalHeader()->setFixedWidth(
        std::max({headingWidth, verticalHeader()->sizeHint().width(), captionWidth}));
}

bool PropertyGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner || event->type() != QEvent::Paint)
        return QTableWidget::eventFilter(watched, event);
    QStyleOptionHeader heading;
    heading.initFrom(corner);
    heading.rect = corner->rect();
    heading.position = QStyleOptionHeader::OnlyOneSection;
    heading.text = cornerCaption;
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, heading);
    return true;
}

// The developer only ever types into the current cell.
void PropertyGrid::CommitEditor() {
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void PropertiesPage::CommitEdits() {
    sgSens->CommitEditor();
    sgDist->CommitEditor();
}

void PropertiesPage::ShowTables() {
    ShowGrid(sgSens, sensTable);
    ShowGrid(sgDist, zoneTable);
}

void PropertiesPage::sgSensEdited(QTableWidgetItem* item) {
    sensTable.SetCell(item->column() + 1, item->row() + 1, item->text().toStdString());
    sgSens->FitToTexts();
}

void PropertiesPage::sgDistEdited(QTableWidgetItem* item) {
    zoneTable.SetCell(item->column() + 1, item->row() + 1, item->text().toStdString());
    sgDist->FitToTexts();
}

void PropertiesPage::ShowSettings(const records::PropertySettings& settings) {
    cbSelectFilter->setCurrentIndex(settings.iSelect);
    cbMaxTenPercent->setCurrentIndex(settings.iMaxTenPercent);
    cbDisplaySignalDuringAlarm->setChecked(settings.bSignalDuringAlarm);
    SetThresholdMode(settings.iThresholdExcess);
    ShowCoefficients();
}

void PropertiesPage::ShowCoefficients() {
    const QString kdc = Text(catalogue::FormatGeneral(catalogue::Kdc, cDecimal));
    const QString urd = Text(catalogue::FormatGeneral(catalogue::Urd, cDecimal));
    edKdcNew->setText(kdc);
    edKdcExisting->setText(kdc);
    edUrdNew->setText(urd);
    edUrdExisting->setText(urd);
}

records::PropertySettings PropertiesPage::Settings() const {
    records::PropertySettings s;
    s.dblKdc = catalogue::Kdc;
    s.dblUrd = catalogue::Urd;
    s.iSelect = cbSelectFilter->currentIndex();
    s.iMaxTenPercent = cbMaxTenPercent->currentIndex();
    s.bSignalDuringAlarm = cbDisplaySignalDuringAlarm->isChecked();
    s.iThresholdExcess = ThresholdMode();
    return s;
}

int PropertiesPage::ThresholdMode() const {
    return thresholdModes->checkedId();
}

// A file may select no mode (-1): an exclusive group cannot clear its choice otherwise.
void PropertiesPage::SetThresholdMode(int mode) {
    if (QAbstractButton* choice = thresholdModes->button(mode)) {
        choice->setChecked(true);
        return;
    }
    thresholdModes->setExclusive(false);
    for (QAbstractButton* choice : thresholdModes->buttons())
        choice->setChecked(false);
    thresholdModes->setExclusive(true);
}

} // namespace console
