// Developer access and the Properties page: the password dialog's codes, the caption, Apply with
// its coefficients, cells and lists, and the display options the oscillogram reads at once.
#include "ConsoleFixture.h"

#include "catalogue/CorrespondenceTables.h"
#include "catalogue/NumberFormat.h"
#include "catalogue/ValueScales.h"
#include "console/AccessCodes.h"
#include "console/ErrorNotice.h"
#include "console/Password.h"
#include "console/PropertiesPage.h"
#include "console/SettingsBand.h"
#include "records/SettingsFile.h"
#include "records/Version.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace console {
namespace {

// The message box shown by whatever runs next, closed and described; empty when none came.
struct MessageWatch {
    QString text;
    QString caption;
    void Arm() {
        QTimer::singleShot(0, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                caption = box->windowTitle();
                box->accept();
            }
        });
    }
};

struct CodeCase {
    const char* name;
    std::string typed;
    int result; // -1: a wrong code, the dialog stays open
};

// Built by appending: g++ 12 warns falsely (-Wrestrict) on operator+ of short strings.
std::string Around(std::string_view before, std::string_view code, std::string_view after) {
    std::string text;
    text.append(before).append(code).append(after);
    return text;
}

class PasswordCodes : public testing::TestWithParam<CodeCase> {};

TEST_P(PasswordCodes, CheckAnswersTheCodeOrSaysItIsWrong) {
    const CodeCase& c = GetParam();
    TfrmPassword dialog;
    dialog.show();
    dialog.edPassword->setText(QString::fromStdString(c.typed));
    MessageWatch watch;
    watch.Arm();
    dialog.btnCheck->click();
    QCoreApplication::processEvents();
    if (c.result < 0) {
        EXPECT_EQ(watch.text, "Wrong password!!!");
        EXPECT_EQ(watch.caption, "Error");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.edPassword->text().toStdString(), c.typed);
    } else {
        EXPECT_TRUE(watch.text.isEmpty());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), c.result);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PasswordCodes,
    testing::Values(CodeCase{"Ok", std::string(kOkCode), TfrmPassword::Ok},
                    CodeCase{"Developer", std::string(kDeveloperCode), TfrmPassword::Yes},
                    CodeCase{"Retry", std::string(kRetryCode), TfrmPassword::Retry},
                    CodeCase{"DeveloperWithTrailingBlank", Around("", kDeveloperCode, " "), -1},
                    CodeCase{"DeveloperWithLeadingBlank", Around(" ", kDeveloperCode, ""), -1},
                    CodeCase{"Empty", "", -1}),
    [](const testing::TestParamInfo<CodeCase>& info) { return std::string(info.param.name); });

class DeveloperAccess : public ConsoleFixture {
protected:
    // F10 with the dialog handed to `inDialog` while it is shown; a dialog left open is
    // cancelled, so a failing check never hangs the run.
    void WithPasswordDialog(const std::function<void(TfrmPassword&)>& inDialog) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TfrmPassword*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = true;
            inDialog(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        // The offscreen platform does not give the focus back when a dialog closes.
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), Qt::Key_F10);
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(shown);
    }
    void EnterCode(std::string_view code) {
        WithPasswordDialog([code](TfrmPassword& dialog) {
            dialog.edPassword->setText(QString::fromLatin1(code.data(), code.size()));
            QTest::keyClick(dialog.edPassword, Qt::Key_Return);
        });
    }
    void EnterDeveloper(const detlink::DetectorStatus& detector) {
        SendCycle(detector);
        Drain();
        EnterCode(kDeveloperCode);
        ASSERT_EQ(window->ActivePage(), Page::Params);
    }
    static double FileReal(const char* section, const char* key) {
        const char separator = QLocale::system().decimalPoint().at(0).toLatin1();
        records::IniFile ini("Mirelund.ini");
        const auto text = ini.Read(section, key);
        return text ? catalogue::ParseReal(*text, separator).value_or(-1) : -1;
    }
    static std::string FileText(const char* section, const std::string& key) {
        return records::IniFile("Mirelund.ini").Read(section, key).value_or("(none)");
    }
};

TEST_F(DeveloperAccess, TheCodeTwiceAddsTheSuffixOnceAndBringsThePropertiesPage) {
    SendCycle(Detector());
    Drain();
    EnterCode(kDeveloperCode);
    EnterCode(kDeveloperCode);
    EXPECT_EQ(window->windowTitle(),
              QString::fromStdString(records::BaseCaption()) + " : Developer access");
    EXPECT_EQ(window->eAccessLevel, 2);
    EXPECT_EQ(window->ActivePage(), Page::Params);
    EXPECT_TRUE(TabCaptions().contains("Properties <F9>"));
    EXPECT_TRUE(window->pgParams->btnApplayParams->isEnabled());
}

TEST_F(DeveloperAccess, EscAndTheOtherCodesGrantNothingButRefreshTheTabs) {
    SendCycle(Detector());
    Drain();
    const QString caption = window->windowTitle();
    QTest::keyClick(window.get(), Qt::Key_F1);
    WithPasswordDialog([](TfrmPassword& dialog) {
        QTest::keyClicks(dialog.edPassword, "12");
        QTest::keyClick(dialog.edPassword, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), TfrmPassword::Cancel);
    });
    EXPECT_EQ(window->ActivePage(), Page::Range);

    for (std::string_view code : {kOkCode, kRetryCode}) {
        QTest::keyClick(window.get(), Qt::Key_F1);
        WithPasswordDialog([code](TfrmPassword& dialog) {
            EXPECT_TRUE(dialog.edPassword->text().isEmpty());
            EXPECT_EQ(dialog.focusWidget(), dialog.edPassword);
            MessageWatch watch;
            watch.Arm();
            dialog.edPassword->setText(QString::fromLatin1(code.data(), code.size()));
            dialog.btnCheck->click();
            QCoreApplication::processEvents();
            EXPECT_TRUE(watch.text.isEmpty());
            EXPECT_FALSE(dialog.isVisible());
        });
        EXPECT_EQ(window->ActivePage(), Page::Range);
    }
    EXPECT_EQ(window->eAccessLevel, 1);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_FALSE(TabCaptions().contains("Properties <F9>"));
}

TEST_F(DeveloperAccess, ANewCoefficientIsTakenOnlyWhenItIsANumberOtherThanZero) {
    EnterDeveloper(Detector());
    PropertiesPage* p = window->pgParams;
    const QString before = p->edKdcExisting->text();
    struct Row {
        const char* typed;
        double kdc;
    };
    for (const Row& row : {Row{"0", catalogue::kDefaultKdc}, Row{"abc", catalogue::kDefaultKdc},
                           Row{"", catalogue::kDefaultKdc}, Row{"15.5", 15.5}}) {
        SCOPED_TRACE(row.typed);
        p->edKdcNew->setText(Decimal(row.typed));
        QTest::keyClick(window.get(), Qt::Key_F5);
        EXPECT_DOUBLE_EQ(catalogue::Kdc, row.kdc);
        EXPECT_DOUBLE_EQ(FileReal("Koef", "Kdc"), row.kdc);
        EXPECT_DOUBLE_EQ(FileReal("Koef", "Urd"), catalogue::kDefaultUrd);
    }
    EXPECT_EQ(p->edKdcExisting->text(), Decimal("15.5"));
    EXPECT_NE(p->edKdcExisting->text(), before);

    p->edKdcNew->setText("abc");
    window->SetActivePage(Page::Range);
    window->SetActivePage(Page::Params);
    EXPECT_EQ(p->edKdcNew->text(), Decimal("15.5"));
}

// Values no supply divider can have are refused with a word, and neither reach the file nor
// the supply line.
TEST_F(DeveloperAccess, ACoefficientNoDividerCanHaveIsRefusedWithAWord) {
    EnterDeveloper(Detector());
    PropertiesPage* p = window->pgParams;
    struct Row {
        QLineEdit* box;
        const char* typed;
        const char* word;
    };
    for (const Row& row :
         {Row{p->edKdcNew, "1e308", "Kdc 1e308 refused: it must lie between 1 and 100"},
          Row{p->edKdcNew, "1e-320", "Kdc 1e-320 refused"},
          // Not a number: ignored, as "abc" is.
          Row{p->edKdcNew, "nan", ""}, Row{p->edUrdNew, "-1", ""},
          Row{p->edUrdNew, "-6", "Urd -6 refused: it must lie between -5 and 5"}}) {
        SCOPED_TRACE(row.typed);
        if (window->errorNotice)
            window->errorNotice->close();
        // The offscreen platform does not give the focus back when a window closes.
        QApplication::setActiveWindow(window.get());
        row.box->setText(row.typed);
        QTest::keyClick(window.get(), Qt::Key_F5);
        if (*row.word == 0) {
            EXPECT_FALSE(window->errorNotice && window->errorNotice->isVisible());
            continue;
        }
        ASSERT_NE(window->errorNotice, nullptr);
        EXPECT_TRUE(window->errorNotice->text().contains(row.word))
            << window->errorNotice->text().toStdString();
    }
    EXPECT_DOUBLE_EQ(catalogue::Kdc, catalogue::kDefaultKdc);
    EXPECT_DOUBLE_EQ(FileReal("Koef", "Kdc"), catalogue::kDefaultKdc);
    EXPECT_DOUBLE_EQ(catalogue::Urd, -1);
    EXPECT_DOUBLE_EQ(FileReal("Koef", "Urd"), -1);
}

// A cell Apply cannot keep as typed is put back with a word; one that only changes its form
// is not worth one.
TEST_F(DeveloperAccess, ACellPutBackOnApplyIsNamed) {
    EnterDeveloper(Detector());
    PropertiesPage* p = window->pgParams;
    p->sgDist->item(0, 3)->setText("12a");
    p->sgSens->item(0, 3)->setText("nan");
    p->sgSens->item(1, 4)->setText(Decimal("20.0"));
    QTest::keyClick(window.get(), Qt::Key_F5);
    ASSERT_NE(window->errorNotice, nullptr);
    const QStringList& words = window->errorNotice->Shown();
    ASSERT_EQ(words.size(), 2) << window->errorNotice->text().toStdString();
    EXPECT_TRUE(words[0].contains("\"nan\" put back to ")) << words[0].toStdString();
    EXPECT_TRUE(words[1].contains("\"12a\" put back to ")) << words[1].toStdString();
}

TEST_F(DeveloperAccess, EditedCellsCountAtOnceAndApplyWritesAndNormalisesThem) {
    EnterDeveloper(Detector());
    PropertiesPage* p = window->pgParams;
    constexpr int kZone = 5;
    const std::string zoneDefault = std::to_string(catalogue::DefaultThresholdCount(0, kZone));
    QTableWidgetItem* zoneCell = p->sgDist->item(0, kZone - 2);
    QTableWidgetItem* plCell = p->sgSens->item(0, 3);
    zoneCell->setText("12a");
    plCell->setText(Decimal("77.25"));
    EXPECT_DOUBLE_EQ(window->TablePL(3), 77.25);

    p->btnApplayParams->click();
    EXPECT_EQ(zoneCell->text().toStdString(), zoneDefault);
    EXPECT_EQ(FileText("Sens", "Freq10Dist5"), zoneDefault);
    EXPECT_EQ(plCell->text(), Decimal("77.25"));
    EXPECT_DOUBLE_EQ(FileReal("PP", "PP3"), 77.25);
    EXPECT_EQ(window->gbRange->cbRangePP->itemText(3), "77");
}

// A cell still being typed counts as left: Apply writes and normalises it, and the page changes
// with it in the table.
TEST_F(DeveloperAccess, ACellStillBeingTypedIsTakenByApplyAndByAPageChange) {
    EnterDeveloper(Detector());
    PropertiesPage* p = window->pgParams;
    const auto type = [&](QTableWidgetItem* cell, const char* text) {
        p->sgSens->setCurrentItem(cell);
        p->sgSens->editItem(cell);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, Decimal(text));
    };
    QTableWidgetItem* plCell = p->sgSens->item(0, 3);
    type(plCell, "20.50");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_DOUBLE_EQ(FileReal("PP", "PP3"), 20.5);
    EXPECT_EQ(plCell->text(), Decimal("20.5"));
    EXPECT_EQ(p->sgSens->indexWidget(p->sgSens->model()->index(0, 3)), nullptr);

    QTableWidgetItem* llCell = p->sgSens->item(1, 4);
    type(llCell, "30");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    ASSERT_EQ(window->ActivePage(), Page::Range);
    EXPECT_DOUBLE_EQ(window->TableLL(4), 30);
    EXPECT_EQ(p->sgSens->indexWidget(p->sgSens->model()->index(1, 4)), nullptr);
}

// How wide the dark text inside area of the picture is.
int InkWidth(const QImage& image, const QRect& area) {
    int left = area.right() + 1, right = area.left() - 1;
    const QRect inside = area.adjusted(1, 1, -1, -1) & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qGray(image.pixel(x, y)) < 160) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return std::max(right - left + 1, 0);
}

// How wide the text's ink is when drawn whole: a text cut or shortened is narrower.
int WholeInkWidth(const QString& text, const QFont& font) {
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 8, metrics.height() + 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(4, 2 + metrics.ascent(), text);
    painter.end();
    return InkWidth(image, image.rect());
}

// Both grids show every value whole, a cell typed longer too, with their headings and the
// heading column's caption in the corner.
TEST_F(DeveloperAccess, TheGridsShowEveryValueHeadingAndCornerCaptionWhole) {
    EnterDeveloper(Detector());
    PropertiesPage* p = window->pgParams;
    p->sgSens->item(1, 30)->setText(Decimal("58.123456"));
    const std::pair<QTableWidget*, QString> grids[] = {{p->sgSens, "Sens"},
                                                       {p->sgDist, "Zone length"}};
    for (const auto& [grid, caption] : grids) {
        // Wide enough to paint every column at once.
        QHeaderView* columns = grid->horizontalHeader();
        QHeaderView* rows = grid->verticalHeader();
        grid->resize(rows->width() + columns->length() + 2 * grid->frameWidth(), grid->height());
        QStringList cut;
        const auto check = [&](const QImage& image, const QRect& area, const QString& text) {
            if (InkWidth(image, area) < WholeInkWidth(text.trimmed(), grid->font()) - 1)
                cut << text;
        };
        const QImage cells = grid->viewport()->grab().toImage();
        const QImage headings = columns->grab().toImage();
        const QImage rowHeadings = rows->grab().toImage();
        for (int c = 0; c < grid->columnCount(); ++c) {
            check(headings,
                  QRect(columns->sectionViewportPosition(c), 0, columns->sectionSize(c),
                        columns->height()),
                  grid->horizontalHeaderItem(c)->text());
            for (int r = 0; r < grid->rowCount(); ++r)
                check(cells, grid->visualRect(grid->model()->index(r, c)),
                      grid->item(r, c)->text());
        }
        for (int r = 0; r < grid->rowCount(); ++r)
            check(rowHeadings,
                  QRect(0, rows->sectionViewportPosition(r), rows->width(), rows->sectionSize(r)),
                  grid->verticalHeaderItem(r)->text());
        auto* corner = grid->findChild<QAbstractButton*>();
        ASSERT_NE(corner, nullptr);
        check(corner->grab().toImage(), corner->rect(), caption);
        EXPECT_EQ(cut.join(QLatin1Char('|')).toStdString(), "");
    }
}

TEST_F(DeveloperAccess, ApplyOffersEveryStepOnAShortListDetector) {
    detlink::DetectorStatus detector = Detector();
    detector.w6.cs = 0;
    EnterDeveloper(detector);
    QComboBox* sens = window->gbRange->cbRangeSens;
    ASSERT_NE(sens->itemText(sens->count() - 2), "38");

    QTest::keyClick(window.get(), Qt::Key_F5);
    ASSERT_EQ(sens->count(), 33);
    EXPECT_EQ(sens->itemText(31), "38");
    EXPECT_EQ(sens->itemText(32), "---");
    EXPECT_EQ(window->gbRange->cbRangeBP->count(), 32);
}

TEST_F(DeveloperAccess, DisplayOptionsTakeEffectBeforeApplyWhichStoresThem) {
    EnterDeveloper(Detector());
    PropertiesPage* p = window->pgParams;
    ASSERT_EQ(window->DisplayMode(), 0);
    p->rgThresholds->findChildren<QAbstractButton*>().at(2)->click();
    p->cbDisplaySignalDuringAlarm->click();
    EXPECT_EQ(window->DisplayMode(), 2);
    EXPECT_TRUE(window->DisplaySignalDuringAlarm());
    EXPECT_EQ(FileText("Display", "ThresholdExcess"), "(none)");

    p->cbSelectFilter->setCurrentIndex(21);
    p->btnApplayParams->click();
    EXPECT_EQ(FileText("Display", "ThresholdExcess"), "2");
    EXPECT_EQ(FileText("Display", "SignalDuringAlarm"), "1");
    EXPECT_EQ(FileText("Filter", "Select"), "21");
}

class PropertiesFromFile : public ConsoleFixture {
protected:
    void BeforeStart() override {
        QFile file("Mirelund.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Koef]\r\nKdc=12\r\n[Filter]\r\nSelect=21\r\nMaxTenPercent=3\r\n"
                   "[Display]\r\nSignalDuringAlarm=1\r\nThresholdExcess=3\r\n[Sens]\r\n"
                   "Freq24Dist9=4\r\n");
    }
};

TEST_F(PropertiesFromFile, StartUpFillsTheControlsTheOscillogramReads) {
    PropertiesPage* p = window->pgParams;
    EXPECT_EQ(p->cbSelectFilter->currentText(), "116");
    EXPECT_EQ(p->cbMaxTenPercent->currentText(), "3");
    EXPECT_TRUE(window->DisplaySignalDuringAlarm());
    EXPECT_EQ(window->DisplayMode(), 3);
    EXPECT_EQ(p->edKdcExisting->text(), "12");
    EXPECT_EQ(p->edKdcNew->text(), "12");
    EXPECT_EQ(p->sgDist->item(1, 9 - 2)->text(), "4");
    EXPECT_FALSE(p->btnApplayParams->isEnabled());
}

} // namespace
} // namespace console
