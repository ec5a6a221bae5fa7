// The window's frame as the installer meets it: the title the platform shows, texts that fit
// their fixed places at the initial size, and where the keyboard focus goes on identification.
#include "ConsoleFixture.h"

#include "console/ApplicationSetUp.h"
#include "console/NoteMessages.h"
#include "console/OscillogramGroup.h"
#include "console/PortComboBox.h"
#include "console/PropertiesPage.h"
#include "console/SettingsBand.h"
#include "console/SetupPage.h"
#include "console/StatusPanel.h"
#include "records/Version.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QTest>

namespace console {
namespace {

// Qt appends the display name to every window title when one was set explicitly and the title
// does not already end with it. Only an explicit display name stops following the
// application name, which is how this tells the two apart.
QString ShownTitle(const QWidget& window) {
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    const bool explicitDisplayName =
        QGuiApplication::applicationDisplayName() != QStringLiteral("probe");
    QCoreApplication::setApplicationName(name);
    const QString displayName = QGuiApplication::applicationDisplayName();
    const QString title = window.windowTitle();
    if (explicitDisplayName && !title.endsWith(displayName))
        return title + QStringLiteral(" \u2014 ") + displayName;
    return title;
}

// The part of the widget's own rectangle that its ancestors up to the window leave visible.
QRect VisibleRect(const QWidget* widget) {
    QRect visible = widget->rect();
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
        visible &= QRect(widget->mapFrom(w, QPoint(0, 0)), w->size());
        if (w->isWindow())
            break;
    }
    return visible;
}

// Why a caption would be cut: text wider or taller than its place, or a place that its
// parents cut off. Empty when nothing is cut.
QString Clipping(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    const QRect place = label->contentsRect();
    QString why;
    if (metrics.horizontalAdvance(label->text()) > place.width() ||
        metrics.height() > place.height())
        why += QStringLiteral(" text %1 x %2 in %3 x %4")
                   .arg(metrics.horizontalAdvance(label->text()))
                   .arg(metrics.height())
                   .arg(place.width())
                   .arg(place.height());
    if (VisibleRect(label) != label->rect())
        why += QStringLiteral(" partly outside its parents");
    return why;
}

QString Clipping(const QGroupBox* group) {
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    const QFontMetrics metrics(group->font());
    QString why;
    if (!group->rect().contains(title) || metrics.horizontalAdvance(group->title()) > title.width())
        why += QStringLiteral(" title outside the group");
    if (VisibleRect(group) != group->rect())
        why += QStringLiteral(" partly outside its parents");
    return why;
}

QString Clipping(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int width = QFontMetrics(button->font()).horizontalAdvance(button->text());
    return width > room.width() ? QStringLiteral(" text %1 in %2").arg(width).arg(room.width())
                                : QString();
}

class WindowFrame : public ConsoleFixture {};

TEST_F(WindowFrame, TheTitleShownIsTheCaptionAlone) {
    SetUpApplication();
    EXPECT_EQ(ShownTitle(*window).toStdString(), records::BaseCaption());
}

TEST_F(WindowFrame, EveryNoteFitsTheStripAtTheInitialSize) {
    const QFontMetrics metrics(window->memoNote->font());
    const int room = window->memoNote->contentsRect().width();
    for (int k = 0; k < kNoteCount; ++k) {
        const QString& text = NoteMessages(k).text;
        EXPECT_LE(metrics.horizontalAdvance(text), room)
            << "note " << k << ": " << text.toStdString();
    }
}

TEST_F(WindowFrame, NoCaptionOfTheSettingsBandTheStatusPanelOrTheOscillogramGroupIsCut) {
    // Identification shows the Settings page; position, address and unit ID come into view.
    SendCycle(Detector());
    window->gbRange->SetPositionVisible(true);
    window->gbRange->SetAddressVisible(true);
    window->gbRange->lNewLetter->show();
    window->gbParameters->SetPositionVisible(true);
    window->gbParameters->SetAddressVisible(true);
    std::vector<const QLabel*> labels;
    for (const QWidget* area :
         {static_cast<QWidget*>(window->gbRange), static_cast<QWidget*>(window->gbParameters),
          static_cast<QWidget*>(window->gbOscillogram)})
        for (const QLabel* label : area->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                labels.push_back(label);
    ASSERT_GT(labels.size(), 30u);
    for (const QLabel* label : labels)
        EXPECT_EQ(Clipping(label).toStdString(), "") << label->text().toStdString();
    for (const QPushButton* button : window->gbRange->findChildren<QPushButton*>())
        EXPECT_EQ(Clipping(button).toStdString(), "") << button->text().toStdString();
    for (const QGroupBox* group : {static_cast<QGroupBox*>(window->gbParameters),
                                   static_cast<QGroupBox*>(window->gbOscillogram)})
        EXPECT_EQ(Clipping(group).toStdString(), "") << group->title().toStdString();
}

// The port list gives the focus away on identification, so that arrow keys and the wheel meant
// for the page no longer change the port.
class FocusAfterIdentification : public ConsoleFixture, public testing::WithParamInterface<int> {};

TEST_P(FocusAfterIdentification, LeavesThePortListForTheNextControlThatTakesIt) {
    QComboBox* portList = window->gbParameters->cbComPort;
    portList->setFocus();
    ASSERT_TRUE(portList->hasFocus());
    detlink::DetectorStatus d = Detector();
    d.w2.state = GetParam();
    SendCycle(d);

    QWidget* expected = portList->nextInFocusChain();
    const auto takesFocus = [](const QWidget* w) {
        return w->isEnabled() && w->isVisible() &&
               (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
    };
    while (expected != portList && !takesFocus(expected))
        expected = expected->nextInFocusChain();
    ASSERT_NE(expected, portList);
    EXPECT_EQ(QApplication::focusWidget(), expected)
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                        : "nothing");
}

INSTANTIATE_TEST_SUITE_P(States, FocusAfterIdentification, testing::Values(0, 2),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == 0 ? "Normal" : "Calibration";
                         });

// The window's keys act first on every page, also while a text field has the focus: its own
// Ctrl+A (select all) and Ctrl+Z (undo) do not take them.
struct FocusedField {
    const char* name;
    int accessLevel;
    // Gives the field the focus on its page; returns the widget that has it, or nullptr.
    QWidget* (*focus)(TfmMain&);
};

void PrintTo(const FocusedField& c, std::ostream* os) {
    *os << c.name;
}

QWidget* FocusIn(QWidget* field) {
    field->setFocus();
    return field->hasFocus() ? QApplication::focusWidget() : nullptr;
}

QWidget* KdcBox(TfmMain& w) {
    return FocusIn(w.pgParams->edKdcNew);
}

QWidget* GridEditor(TfmMain& w) {
    QTableWidgetItem* cell = w.pgParams->sgSens->item(0, 3);
    w.pgParams->sgSens->setCurrentItem(cell);
    w.pgParams->sgSens->editItem(cell);
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

// In Manual, where the spin box takes the focus.
QWidget* SetupSpinBox(TfmMain& w) {
    w.tsSense->cbRegulSense->setCurrentIndex(1);
    emit w.tsSense->cbRegulSense->activated(1);
    return FocusIn(w.tsSense->speSense);
}

class WindowKeysFirst : public ConsoleFixture, public testing::WithParamInterface<FocusedField> {
protected:
    int StartAccessLevel() const override { return GetParam().accessLevel; }
};

TEST_P(WindowKeysFirst, CtrlKeysScaleTheOscillogramWhateverFieldHasTheFocus) {
    SendCycle(Detector());
    Drain();
    QWidget* field = GetParam().focus(*window);
    ASSERT_NE(field, nullptr);
    // The spin box's own line is read-only: there only select-all would take a key.
    auto* line = qobject_cast<QLineEdit*>(field);
    if (line && line->isReadOnly())
        line = nullptr;
    if (line)
        line->setText("12");
    QSignalSpy up(window->actLeftAxisUp, &QAction::triggered);
    QSignalSpy autoScale(window->actAutoYScale, &QAction::triggered);

    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(autoScale.count(), 1);
    if (line) {
        EXPECT_EQ(line->text(), "12");
        EXPECT_FALSE(line->hasSelectedText());
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, WindowKeysFirst,
                         testing::Values(FocusedField{"KdcBox", 2, KdcBox},
                                         FocusedField{"GridEditor", 2, GridEditor},
                                         FocusedField{"SetupSpinBox", 0, SetupSpinBox}),
                         [](const testing::TestParamInfo<FocusedField>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace console
