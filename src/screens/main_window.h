// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// MDIForm1, the main window: the menus that bring up the calculator screens
// inside its MDI area (one instance of each per run), the help, the status bar
// that tells the user which decimal separator to type, and the title panel in
// the background of the MDI area.

#include "cases/calculator.h"
#include "platform/platform.h"
#include "screens/control_names.h"

#include <memory>
#include <optional>

#include <QMainWindow>
#include <QPointer>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;

namespace termiva {

class CalculatorScreen;
class DesktopCommands;
class Diagram;
class Form2;
class Form3;
class Form4;
class Form8;
class Form9;

// Help topics of the screens (the calculators' own stand in src/cases).
using cases::kChartScreenHelpTopic;
using cases::kEconomicsHelpTopic;
using cases::kMainWindowHelpTopic;
using cases::kMultiplePipesHelpTopic;
using cases::kSinglePipeHelpTopic;
using cases::kThicknessLimitHelpTopic;
using cases::kVesselHelpTopic;

class MDIForm1 : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window and runs MDIForm_Load. `platform` must outlive it.
    explicit MDIForm1(Platform& platform, QWidget* parent = nullptr);
    ~MDIForm1() override;

    void MDIForm_Load(); // completes status bar panel 2 with the decimal separator
    void Report_Click(); // "Report...": the active screen's calculation report
    void Single_pipe_Click();
    void More_pipes_Click();
    void Single_vessel_Click();
    // "Thickness for a limit" in the Pipes and Vessel menus: the screen for a
    // pipe, or for a vessel (of the vessel screen's shape when it is open).
    void Pipe_limit_Click();
    void Vessel_limit_Click();
    // "Energy and cost" at the end of the Pipes and Vessel menus: the energy,
    // cost and economic thickness screen for a pipe, or for a vessel (of the
    // vessel screen's shape when it is open).
    void Pipe_economics_Click();
    void Vessel_economics_Click();
    void Software_description_Click();
    void Exit_Click();
    void MDIForm_Unload(); // the window closed: the application ends

    // An input data file named on the command line (or opened from the file
    // manager): brings up the screen of the file's kind, as its menu item
    // does, and loads the file as that screen's "Load from file" does, with
    // the same checks and messages. A name without a known extension gets an
    // "Error" box and opens no screen.
    void OpenFile(const QString& path);

    // F1: the help file at the topic of the active screen.
    void HelpKey_Press();
    int activeHelpTopic() const;

    // The calculator or chart screen in the active sub-window, else null.
    QWidget* activeScreen() const;
    // Enables "Report..." when the active screen has results to report.
    void updateReportAction();

    // The screens while they exist (null before first use and after the user
    // closed them), the MDI area and the "Diagram" controller.
    Form2* form2() const;
    Form3* form3() const;
    Form4* form4() const;
    Form8* form8() const;
    Form9* form9() const;
    QMdiArea* mdiArea() const { return mdiArea_; }
    Diagram* diagram() const { return diagram_.get(); }
    // File > Open, Recent files and Save, Edit, Window, About, drop.
    DesktopCommands* desktop() const { return desktop_.get(); }

    QMenu* File = nullptr;
    QAction* Report = nullptr;
    QMenu* Pipes = nullptr;
    QAction* Single_pipe = nullptr;
    QAction* More_pipes = nullptr;
    QAction* Pipe_limit = nullptr;
    QAction* Pipe_economics = nullptr;
    QMenu* Vessel = nullptr;
    QAction* Single_vessel = nullptr;
    QAction* Vessel_limit = nullptr;
    QAction* Vessel_economics = nullptr;
    QMenu* Help = nullptr;
    QAction* Software_description = nullptr;
    QAction* Exit = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    ControlArray<QLabel> Panels{QStringLiteral("Panels"), 1, 2}; // the status bar's text panels
    // The active screen's note on marked results; hidden while it has none.
    QLabel* ResultNote = nullptr;
    QFrame* Frame1 = nullptr;    // the title panel
    QGroupBox* Frame6 = nullptr; // credits line
    QLabel* Label18 = nullptr;   // programme title
    QGroupBox* Frame5 = nullptr; // product family
    QLabel* lblVersion = nullptr;
    QLabel* Label32 = nullptr; // "TERMIVA"
    QLabel* Label31 = nullptr; // product number
    QLabel* Label30 = nullptr; // what the calculations are based on
    QWidget* Image1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createStatusBar();
    void createTitlePanel();
    void placeTitlePanel();
    void updateTitlePanel();
    // Normal state, front, focus: the last steps of bringing up a screen.
    void bringUp(QWidget* screen);
    // Puts a new screen into a sub-window that is deleted on close.
    QMdiSubWindow* addScreen(QWidget* screen);
    // Keeps "Report..." in step with the screen's results: its buttons and
    // lists are what change them.
    void watchResults(QWidget* screen);
    // Shows the result note of the active screen, and follows its changes.
    void showResultNote();
    // Brings up the thickness for a limit screen with `object` chosen.
    void showLimitScreen(int object);
    // Brings up the energy and cost screen with `object` chosen.
    void showEconomicsScreen(int object);
    // Brings up the screen of `calculator` as its menu item does.
    CalculatorScreen* showCalculator(const cases::Calculator& calculator);
    // The texts of the open screen of the calculator of `kind`, if any.
    std::optional<cases::ScreenTexts> openScreenTexts(files::InputFileKind kind) const;

    Platform& platform_;
    QMdiArea* mdiArea_ = nullptr;
    std::unique_ptr<Diagram> diagram_;
    std::unique_ptr<DesktopCommands> desktop_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    QPointer<Form4> form4_;
    QPointer<Form8> form8_;
    QPointer<Form9> form9_;
};

} // namespace termiva
