// The main window: the composition root that owns the link, the status record, the command
// slots and every control, and whose methods are the handlers of the operator console.
#pragma once

#include "console/Pages.h"

#include <QMainWindow>

class QAction;
class QActionGroup;
class QCheckBox;
class QGroupBox;
class QLabel;

namespace console {

class AboutPage;
class CalibrationPage;
class PageControl;
class SettingsBand;
class StatusPanel;

class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    // Page rules: which tabs exist for the access level and the link state.
    void UpdatePageTabs();
    // Picks the guidance note from the page in front and the detector's state.
    void ShowGuidance();
    // Shows note entry k in its colour.
    void SetNote(int k);

    Page ActivePage() const;
    void SetActivePage(Page page);

    int eAccessLevel = 1;

    // Controls, named as the operator console names them.
    PageControl* pcMain;
    AboutPage* tsAbout;
    CalibrationPage* tsTuneUp;
    QWidget* tsSense;
    QWidget* tsRange;
    QWidget* tsParams;
    StatusPanel* gbParameters;
    QGroupBox* gbOscillogram;
    SettingsBand* gbRange;
    QGroupBox* gbTrv;
    QCheckBox* chbSaveTrvRange;
    QLabel* lTrvNumberRange;
    QLabel* memoNote;

    QActionGroup* alMain;
    QAction* actCancel;
    QAction* actAboutSelect;
    QAction* actTuneUpSelect;
    QAction* actSetupSelect;
    QAction* actApply;
    QAction* actSaveTrv;
    QAction* actPlayChange;
    QAction* actClear;
    QAction* actParamsSelect;
    QAction* actEnterPassword;
    QAction* actAutoYScale;
    QAction* actBottomAxisSlow;
    QAction* actBottomAxisFast;
    QAction* actLeftAxisUp;
    QAction* actLeftAxisDown;

private:
    void BuildWindow();
    void BuildActions();
    void BuildRangePage();
    void pcMainChange(Page from, Page to);
    bool Connected() const;

    void actAboutSelectExecute();
    void actTuneUpSelectExecute();
    void actSetupSelectExecute();
    void actApplyExecute();
    void actSaveTrvExecute();
    void actClearExecute();
    void actParamsSelectExecute();
};

} // namespace console
