// The window frame: regions, pages, note strip, keyboard actions and the page rules.
#include "console/Main.h"

#include "console/AboutPage.h"
#include "console/CalibrationPage.h"
#include "console/NoteMessages.h"
#include "console/OscillogramGroup.h"
#include "console/PageControl.h"
#include "console/PropertiesPage.h"
#include "console/SettingsBand.h"
#include "console/SetupPage.h"
#include "console/PortComboBox.h"
#include "console/StatusPanel.h"
#include "console/WindowKeysFirst.h"

#include <QAction>
#include <QActionGroup>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace console {

namespace {
constexpr int kClientWidth = 804;
constexpr int kClientHeight = 417;
constexpr int kLeftColumnWidth = 153;
constexpr int kNoteHeight = 23;

// Liberation Serif has the widths of Times New Roman. Without either, a condensed serif two
// pixels smaller still keeps the longest guidance note on the strip's one line.
QFont NoteFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("DejaVu Serif Condensed")});
    font.setPixelSize(15);
    font.setBold(true);
    font.setItalic(true);
    const QString family = QFontInfo(font).family();
    if (family != QStringLiteral("Times New Roman") && family != QStringLiteral("Liberation Serif"))
        font.setPixelSize(13);
    return font;
}

} // namespace

void TfmMain::BuildWindow() {
    // Where Tahoma is missing, a condensed sans one pixel smaller keeps the captions and
    // values inside their fixed places; so does a Tahoma wider than the one the layout was
    // drawn for (Wine's own).
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Liberation Sans Narrow")});
    font.setPixelSize(11);
    if (QFontInfo(font).family() != QStringLiteral("Tahoma") || !SettingsBand::CaptionsFit(font))
        font.setPixelSize(10);
    setFont(font);

    auto* central = new QWidget(this);
    auto* rows = new QVBoxLayout(central);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(0);
    rows->addLayout(columns, 1);

    auto* leftColumn = new QWidget(central);
    leftColumn->setFixedWidth(kLeftColumnWidth);
    gbParameters = new StatusPanel(leftColumn);
    gbParameters->setGeometry(2, 1, 149, 272);
    gbOscillogram = new OscillogramGroup(leftColumn);
    gbOscillogram->setGeometry(2, 272, 149, 117);
    gbOscillogram->hide();
    columns->addWidget(leftColumn);

    pcMain = new PageControl(central);
    tsAbout = new AboutPage;
    tsTuneUp = new CalibrationPage;
    tsSense = new SetupPage;
    tsRange = new QWidget;
    tsParams = new QWidget;
    pcMain->AddPage(Page::About, tsAbout, QStringLiteral("About Us <F1>"));
    pcMain->AddPage(Page::TuneUp, tsTuneUp, QStringLiteral("Calibration <F2>"));
    pcMain->AddPage(Page::Sense, tsSense, QStringLiteral("Setup <F3>"));
    pcMain->AddPage(Page::Range, tsRange, QStringLiteral("Settings <F3>"));
    pcMain->AddPage(Page::Params, tsParams, QStringLiteral("Properties <F9>"));
    columns->addWidget(pcMain, 1);
    BuildSetupPage();
    BuildRangePage();
    BuildPropertiesPage();

    memoNote = new QLabel(central);
    memoNote->setFixedHeight(kNoteHeight);
    memoNote->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    memoNote->setAlignment(Qt::AlignCenter);
    memoNote->setWordWrap(false);
    memoNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    memoNote->setFont(NoteFont());
    rows->addWidget(memoNote);

    setCentralWidget(central);
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    connect(pcMain, &PageControl::pageChanged, this,
            [this](Page from, Page to) { pcMainChange(from, to); });
}

void TfmMain::BuildActions() {
    alMain = new QActionGroup(this);
    alMain->setExclusive(false);
    auto add = [this](const char* name, QKeySequence key, void (TfmMain::*handler)()) {
        auto* action = new QAction(QString::fromLatin1(name), alMain);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    actCancel = add("actCancel", Qt::Key_Escape, &TfmMain::actCancelExecute);
    actAboutSelect = add("actAboutSelect", Qt::Key_F1, &TfmMain::actAboutSelectExecute);
    actTuneUpSelect = add("actTuneUpSelect", Qt::Key_F2, &TfmMain::actTuneUpSelectExecute);
    actSetupSelect = add("actSetupSelect", Qt::Key_F3, &TfmMain::actSetupSelectExecute);
    actApply = add("actApply", Qt::Key_F5, &TfmMain::actApplyExecute);
    actSaveTrv = add("actSaveTrv", Qt::Key_F6, &TfmMain::actSaveTrvExecute);
    actPlayChange = add("actPlayChange", Qt::Key_F7, &TfmMain::actPlayChangeExecute);
    actClear = add("actClear", Qt::Key_F8, &TfmMain::actClearExecute);
    actParamsSelect = add("actParamsSelect", Qt::Key_F9, &TfmMain::actParamsSelectExecute);
    actEnterPassword = add("actEnterPassword", Qt::Key_F10, nullptr);
    connect(actEnterPassword, &QAction::triggered, this, &TfmMain::actEnterPasswordExecute);
    actAutoYScale = add("actAutoYScale", Qt::CTRL | Qt::Key_Z, &TfmMain::actAutoYScaleExecute);
    actBottomAxisSlow =
        add("actBottomAxisSlow", Qt::CTRL | Qt::Key_Q, &TfmMain::sbBottomAxisSlowClick);
    actBottomAxisFast =
        add("actBottomAxisFast", Qt::CTRL | Qt::Key_W, &TfmMain::sbBottomAxisFastClick);
    actLeftAxisUp = add("actLeftAxisUp", Qt::CTRL | Qt::Key_A, &TfmMain::sbLeftAxisUpClick);
    actLeftAxisDown = add("actLeftAxisDown", Qt::CTRL | Qt::Key_S, &TfmMain::sbLeftAxisDownClick);
    // Esc stays with a field that uses it (a grid cell being typed drops the typing): the
    // window's Esc acts on the Setup and Settings pages only, where no field takes it.
    // F4 opens the port list from every page, connected or not, as its caption says: outside
    // the group that waits for a detector, and before a focused list takes F4 for its own.
    actComPortSelect = new QAction(QStringLiteral("actComPortSelect"), this);
    actComPortSelect->setObjectName(QStringLiteral("actComPortSelect"));
    actComPortSelect->setShortcut(Qt::Key_F4);
    actComPortSelect->setShortcutContext(Qt::WindowShortcut);
    addAction(actComPortSelect);
    connect(actComPortSelect, &QAction::triggered, this, [this] {
        gbParameters->cbComPort->setFocus(Qt::ShortcutFocusReason);
        gbParameters->cbComPort->showPopup();
    });
    QList<QAction*> firstKeys = alMain->actions();
    firstKeys.removeOne(actCancel);
    firstKeys.append(actComPortSelect);
    new WindowKeysFirst(this, firstKeys);
}

Page TfmMain::ActivePage() const {
    return pcMain->ActivePage();
}

void TfmMain::SetActivePage(Page page) {
    pcMain->SetActivePage(page);
}

void TfmMain::SetNote(int k) {
    const NoteMessage& note = NoteMessages(k);
    memoNote->setText(note.text);
    // A tooltip is set only beside a port note; clearing an empty one still costs an event.
    if (!memoNote->toolTip().isEmpty())
        memoNote->setToolTip(QString());
    // The guidance comes here with every oscillogram point, mostly with the same note.
    QPalette palette = memoNote->palette();
    if (palette.color(QPalette::WindowText) == note.colour)
        return;
    palette.setColor(QPalette::WindowText, note.colour);
    memoNote->setPalette(palette);
}

void TfmMain::UpdatePageTabs(bool bringToFront) {
    const bool connected = Connected();
    pcMain->SetTabVisible(Page::TuneUp, connected);
    switch (eAccessLevel) {
    case 0:
        pcMain->SetTabVisible(Page::Sense, connected);
        pcMain->SetTabVisible(Page::Range, false);
        pcMain->SetTabVisible(Page::Params, false);
        if (connected && bringToFront)
            SetActivePage(Page::Sense);
        break;
    case 1:
        pcMain->SetTabVisible(Page::Range, connected);
        pcMain->SetTabVisible(Page::Sense, false);
        pcMain->SetTabVisible(Page::Params, false);
        if (connected && bringToFront)
            SetActivePage(Page::Range);
        break;
    case 2:
        pcMain->SetTabVisible(Page::Params, connected);
        pgParams->btnApplayParams->setEnabled(connected);
        pcMain->SetTabVisible(Page::Range, connected);
        pcMain->SetTabVisible(Page::Sense, false);
        if (connected && bringToFront)
            SetActivePage(Page::Params);
        break;
    default:
        break;
    }
}

void TfmMain::actAboutSelectExecute() {
    SetActivePage(Page::About);
    SetNote(kNoteSelectMode);
}

void TfmMain::actTuneUpSelectExecute() {
    SetActivePage(Page::TuneUp);
}

void TfmMain::actSetupSelectExecute() {
    if (eAccessLevel == 0)
        SetActivePage(Page::Sense);
    else if (eAccessLevel == 1 || eAccessLevel == 2)
        SetActivePage(Page::Range);
}

void TfmMain::actParamsSelectExecute() {
    if (eAccessLevel == 2)
        SetActivePage(Page::Params);
}

} // namespace console
