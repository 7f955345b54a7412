// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/main_window.h"

#include "files/input_file.h"
#include "screens/app_paths.h"
#include "screens/calculator_screen.h"
#include "screens/chart_screen.h"
#include "screens/control_names.h"
#include "screens/desktop_commands.h"
#include "screens/diagram.h"
#include "screens/economics_screen.h"
#include "screens/multiple_pipes_screen.h"
#include "screens/report_action.h"
#include "screens/screen_style.h"
#include "screens/single_pipe_screen.h"
#include "screens/svg_picture.h"
#include "screens/thickness_limit_screen.h"
#include "screens/value_marks.h"
#include "screens/vessel_screen.h"
#include "support/version.h"

#include <algorithm>
#include <optional>

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

namespace termiva {
namespace {

const QString kTitlePicture = QStringLiteral(":/images/title.svg");

QLabel* TitleLabel(const QString& name, const QString& text, const QFont& font) {
    auto* label = Named(new QLabel(text), name);
    label->setFont(font);
    return label;
}

// The title picture at a fixed size; a missing drawing leaves the space empty.

} // namespace

MDIForm1::MDIForm1(Platform& platform, QWidget* parent) : QMainWindow(parent), platform_(platform) {
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("TERMIVA"));

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MDIClient"));
    // A screen larger than the window stays reachable.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    diagram_ = std::make_unique<Diagram>(mdiArea_, platform_);

    createMenus();
    createStatusBar();
    createTitlePanel();
    desktop_ = std::make_unique<DesktopCommands>(*this, platform_);

    auto* closeScreen = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), this);
    connect(closeScreen, &QShortcut::activated, mdiArea_, &QMdiArea::closeActiveSubWindow);
    // Each sub-window's own menu claims the same keys for its "Close", which
    // would make them ambiguous: that entry keeps them only while it is open.
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* window) {
        if (!window || !window->systemMenu())
            return;
        for (QAction* action : window->systemMenu()->actions())
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
                action->setShortcutContext(Qt::WidgetShortcut);
    });

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &MDIForm1::HelpKey_Press);

    MDIForm_Load();
}

// Members go before the widget tree, so the Diagram lets go of its screens
// while the MDI area still holds them.
MDIForm1::~MDIForm1() {
    // The MDI area outlives this part of the window and activates its
    // remaining sub-windows while it closes them.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

Form2* MDIForm1::form2() const {
    return form2_;
}
Form3* MDIForm1::form3() const {
    return form3_;
}
Form4* MDIForm1::form4() const {
    return form4_;
}
Form8* MDIForm1::form8() const {
    return form8_;
}
Form9* MDIForm1::form9() const {
    return form9_;
}

void MDIForm1::createMenus() {
    const auto menu = [this](const QString& name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };
    const auto item = [this](QMenu* m, const QString& name, const QString& caption,
                             void (MDIForm1::*handler)()) {
        QAction* action = m->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    File = menu(QStringLiteral("File"), QStringLiteral("&File"));
    Report =
        item(File, QStringLiteral("Report"), QStringLiteral("&Report..."), &MDIForm1::Report_Click);
    Report->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    Report->setEnabled(false);
    connect(File, &QMenu::aboutToShow, this, &MDIForm1::updateReportAction);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MDIForm1::updateReportAction);

    Pipes = menu(QStringLiteral("Pipes"), QStringLiteral("&Pipes"));
    Single_pipe = item(Pipes, QStringLiteral("Single_pipe"), QStringLiteral("&Single pipe"),
                       &MDIForm1::Single_pipe_Click);
    More_pipes = item(Pipes, QStringLiteral("More_pipes"), QStringLiteral("&Multiple pipes"),
                      &MDIForm1::More_pipes_Click);
    Pipe_limit = item(Pipes, QStringLiteral("Pipe_limit"), QStringLiteral("Thickness for a &limit"),
                      &MDIForm1::Pipe_limit_Click);
    Pipe_economics = item(Pipes, QStringLiteral("Pipe_economics"),
                          QStringLiteral("&Energy and cost"), &MDIForm1::Pipe_economics_Click);
    Vessel = menu(QStringLiteral("Vessel"), QStringLiteral("&Vessel"));
    Single_vessel = item(Vessel, QStringLiteral("Single_vessel"), QStringLiteral("&Single vessel"),
                         &MDIForm1::Single_vessel_Click);
    Vessel_limit = item(Vessel, QStringLiteral("Vessel_limit"),
                        QStringLiteral("Thickness for a &limit"), &MDIForm1::Vessel_limit_Click);
    Vessel_economics = item(Vessel, QStringLiteral("Vessel_economics"),
                            QStringLiteral("&Energy and cost"), &MDIForm1::Vessel_economics_Click);
    Help = menu(QStringLiteral("Help"), QStringLiteral("&Help"));
    Software_description =
        item(Help, QStringLiteral("Software_description"), QStringLiteral("&Software description"),
             &MDIForm1::Software_description_Click);

    Exit = menuBar()->addAction(QStringLiteral("E&xit"));
    Exit->setObjectName(QStringLiteral("Exit"));
    connect(Exit, &QAction::triggered, this, &MDIForm1::Exit_Click);
}

void MDIForm1::createStatusBar() {
    StatusBar1 = Named(new QStatusBar(this), QStringLiteral("StatusBar1"));
    StatusBar1->setFont(ScreenFont(8.25));
    setStatusBar(StatusBar1);
    const auto panel = [this](int index, const QString& text, int widthTwips) {
        auto* label = Panels.add(index, new QLabel(text, StatusBar1));
        label->setMinimumWidth(FromTwips(widthTwips));
        StatusBar1->addWidget(label);
    };
    panel(1, QStringLiteral("For help press F1 key or select it from menu"), 7832);
    panel(2, QStringLiteral("Note: As decimal separator use"), 6068);

    ResultNote = Named(new QLabel(StatusBar1), QStringLiteral("ResultNote"));
    ResultNote->setAutoFillBackground(true);
    QPalette palette = ResultNote->palette();
    palette.setColor(QPalette::Window, kMarkedBoxColor);
    ResultNote->setPalette(palette);
    ResultNote->setWordWrap(true);
    ResultNote->hide();
    StatusBar1->addWidget(ResultNote, 1);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MDIForm1::showResultNote);
}

void MDIForm1::showResultNote() {
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    QWidget* screen = active ? active->widget() : nullptr;
    // Installing again only moves the filter to the front.
    if (screen)
        screen->installEventFilter(this);
    const QString fieldNote = FieldNoteOf(screen);
    const QString note = fieldNote.isEmpty() ? ResultNoteOf(screen) : fieldNote;
    this->ResultNote->setText(note);
    this->ResultNote->setVisible(!note.isEmpty());
}

void MDIForm1::createTitlePanel() {
    Frame1 = Named(new QFrame(mdiArea_->viewport()), QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Frame1->setAutoFillBackground(true);
    Frame1->setBackgroundRole(QPalette::Window);

    Frame6 = Named(new QGroupBox(QStringLiteral("Heat loss calculations for bare and insulated "
                                                "equipment")),
                   QStringLiteral("Frame6"));
    Frame6->setFont(ScreenFont(8.25, true, true));
    Label18 = TitleLabel(QStringLiteral("Label18"),
                         QStringLiteral("Thermal insulation of pipes and vessels"),
                         ScreenFont(9.75, true));
    auto* credits = new QVBoxLayout(Frame6);
    credits->addWidget(Label18);

    Frame5 =
        Named(new QGroupBox(QStringLiteral("Engineering calculators")), QStringLiteral("Frame5"));
    Frame5->setFont(ScreenFont(9.75, true));
    Label32 =
        TitleLabel(QStringLiteral("Label32"), QStringLiteral("TERMIVA"), ScreenFont(12, true));
    lblVersion = TitleLabel(QStringLiteral("lblVersion"),
                            QStringLiteral("Version %1").arg(QLatin1String(kShortVersion)),
                            ScreenFont(9, true));
    Label31 = TitleLabel(QStringLiteral("Label31"), QStringLiteral("TRM-100"),
                         ScreenFont(8.25, false, true));
    Label30 = TitleLabel(QStringLiteral("Label30"),
                         QStringLiteral("Based on free convection and radiation correlations for "
                                        "horizontal pipes, vertical walls, flat surfaces and "
                                        "horizontal cylinders"),
                         ScreenFont(8.25, false, true));
    Label30->setWordWrap(true);
    auto* product = new QVBoxLayout(Frame5);
    product->addWidget(Label32);
    product->addWidget(lblVersion);
    product->addSpacing(8);
    product->addWidget(Label31);
    product->addWidget(Label30);
    product->addStretch();

    Image1 = Named<QWidget>(new SvgPicture(kTitlePicture, Frame1), QStringLiteral("Image1"));
    Image1->setFixedSize(247, 255);

    auto* texts = new QVBoxLayout;
    texts->addWidget(Frame6);
    texts->addWidget(Frame5, 1);
    auto* layout = new QHBoxLayout(Frame1);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(Image1, 0, Qt::AlignTop);
    layout->addLayout(texts);

    // The note wraps; the text column is as wide as the credits line or about
    // 45 characters, whichever is wider.
    const int textWidth =
        qMax(Frame6->minimumSizeHint().width(), Label30->fontMetrics().averageCharWidth() * 45);
    Frame6->setMinimumWidth(textWidth);
    Frame5->setMinimumWidth(textWidth);
    Frame1->adjustSize();
    Frame1->lower();
    mdiArea_->viewport()->installEventFilter(this);
    placeTitlePanel();
}

// Centred in the empty MDI area; sub-windows cover it.
void MDIForm1::placeTitlePanel() {
    const QSize area = mdiArea_->viewport()->size();
    const QSize panel = Frame1->size();
    Frame1->move(qMax(0, (area.width() - panel.width()) / 2),
                 qMax(0, (area.height() - panel.height()) / 2));
}

// The title panel shows only in the empty MDI area: beside a screen it would
// stand as cut-off words. Sub-windows come and go as children of the
// viewport; the list is read once the change has settled.
void MDIForm1::updateTitlePanel() {
    Frame1->setVisible(mdiArea_->subWindowList().isEmpty());
}

bool MDIForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdiArea_->viewport() && event->type() == QEvent::Resize)
        placeTitlePanel();
    if (watched == mdiArea_->viewport() &&
        (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved))
        QMetaObject::invokeMethod(this, &MDIForm1::updateTitlePanel, Qt::QueuedConnection);
    if (event->type() == QEvent::DynamicPropertyChange && mdiArea_->activeSubWindow() &&
        watched == mdiArea_->activeSubWindow()->widget())
        showResultNote();
    return QMainWindow::eventFilter(watched, event);
}

void MDIForm1::MDIForm_Load() {
    const QString sample = QLocale().toString(1.5);
    const bool point = sample.indexOf(u'.') == 1;
    Panels(2)->setText(Panels(2)->text() + (point ? QStringLiteral(" .") : QStringLiteral(" ,")));
}

QMdiSubWindow* MDIForm1::addScreen(QWidget* screen) {
    QMdiSubWindow* window = mdiArea_->addSubWindow(screen);
    window->setAttribute(Qt::WA_DeleteOnClose);
    watchResults(screen);
    connect(window, &QObject::destroyed, this, &MDIForm1::updateReportAction, Qt::QueuedConnection);
    return window;
}

void MDIForm1::watchResults(QWidget* screen) {
    for (auto* button : screen->findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::clicked, this, &MDIForm1::updateReportAction,
                Qt::QueuedConnection);
    for (auto* list : screen->findChildren<QComboBox*>())
        connect(list, &QComboBox::currentIndexChanged, this, &MDIForm1::updateReportAction,
                Qt::QueuedConnection);
}

QWidget* MDIForm1::activeScreen() const {
    QMdiSubWindow* window = mdiArea_->currentSubWindow();
    return window ? window->widget() : nullptr;
}

void MDIForm1::updateReportAction() {
    Report->setEnabled(HasReport(activeScreen()));
}

void MDIForm1::Report_Click() {
    updateReportAction();
    if (Report->isEnabled())
        PrintReport(platform_, *activeScreen());
}

void MDIForm1::bringUp(QWidget* screen) {
    auto* window = qobject_cast<QMdiSubWindow*>(screen->parentWidget());
    if (!window)
        return;
    window->showNormal();
    window->raise();
    mdiArea_->setActiveSubWindow(window);
}

void MDIForm1::Single_pipe_Click() {
    if (!form3_) {
        form3_ = new Form3(platform_);
        addScreen(form3_);
        form3_->setDiagramAction([this] {
            if (form3_)
                diagram_->run(*form3_);
        });
        form3_->Form_Load();
    }
    bringUp(form3_);
}

void MDIForm1::More_pipes_Click() {
    if (!form4_) {
        form4_ = new Form4(platform_);
        addScreen(form4_);
        form4_->Form_Load();
    }
    bringUp(form4_);
}

void MDIForm1::Single_vessel_Click() {
    if (!form2_) {
        form2_ = new Form2(platform_);
        addScreen(form2_);
        form2_->Form_Load();
    }
    bringUp(form2_);
}

void MDIForm1::showLimitScreen(int object) {
    if (!form8_) {
        // Take inputs reads the single pipe or vessel screen while it is open.
        form8_ = new Form8(platform_,
                           [this](files::InputFileKind kind) { return openScreenTexts(kind); });
        addScreen(form8_);
        form8_->Form_Load(object);
    } else if ((form8_->Combo1->currentIndex() == 0) != (object == 0)) {
        form8_->Combo1->setCurrentIndex(object);
    }
    bringUp(form8_);
}

void MDIForm1::Pipe_limit_Click() {
    showLimitScreen(0);
}

void MDIForm1::Vessel_limit_Click() {
    const int shape = form2_ ? form2_->Combo1->currentIndex() : 0;
    showLimitScreen(ObjectListIndexOfVesselListIndex(shape));
}

void MDIForm1::showEconomicsScreen(int object) {
    if (!form9_) {
        // Take inputs reads the single pipe, vessel or limit screen while it is open.
        form9_ = new Form9(platform_,
                           [this](files::InputFileKind kind) { return openScreenTexts(kind); });
        addScreen(form9_);
        form9_->Form_Load(object);
    } else if ((form9_->Combo1->currentIndex() == 0) != (object == 0)) {
        form9_->Combo1->setCurrentIndex(object);
    }
    bringUp(form9_);
}

void MDIForm1::Pipe_economics_Click() {
    showEconomicsScreen(0);
}

void MDIForm1::Vessel_economics_Click() {
    const int shape = form2_ ? form2_->Combo1->currentIndex() : 0;
    showEconomicsScreen(ObjectListIndexOfVesselListIndex(shape));
}

std::optional<cases::ScreenTexts> MDIForm1::openScreenTexts(files::InputFileKind kind) const {
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        const auto* screen = qobject_cast<const CalculatorScreen*>(window->widget());
        if (screen && screen->calculator().kind == kind)
            return screen->texts();
    }
    return std::nullopt;
}

CalculatorScreen* MDIForm1::showCalculator(const cases::Calculator& calculator) {
    // What each calculator's menu item does, and the screen it brings up.
    struct Entry {
        std::string_view id;
        CalculatorScreen* (*show)(MDIForm1& window);
    };
    static const Entry kScreens[] = {
        {"single-pipe",
         [](MDIForm1& w) -> CalculatorScreen* { return w.Single_pipe_Click(), w.form3(); }},
        {"multiple-pipes",
         [](MDIForm1& w) -> CalculatorScreen* { return w.More_pipes_Click(), w.form4(); }},
        {"vessel",
         [](MDIForm1& w) -> CalculatorScreen* { return w.Single_vessel_Click(), w.form2(); }},
        {"thickness-limit",
         [](MDIForm1& w) -> CalculatorScreen* { return w.Pipe_limit_Click(), w.form8(); }},
        {"economics",
         [](MDIForm1& w) -> CalculatorScreen* { return w.Pipe_economics_Click(), w.form9(); }},
    };
    for (const Entry& entry : kScreens) {
        if (entry.id == calculator.id)
            return entry.show(*this);
    }
    return nullptr;
}

void MDIForm1::OpenFile(const QString& path) {
    const cases::Calculator* calculator =
        cases::CalculatorOfPath(LocalFileName(path).toStdString());
    CalculatorScreen* screen = calculator ? showCalculator(*calculator) : nullptr;
    if (!screen) {
        platform_.error(QStringLiteral("The file \"%1\" is not an input data file: its name does "
                                       "not end in .insp, .inv, .inmp, .inlim or .ineco.")
                            .arg(path));
        return;
    }
    screen->loadFile(path);
}

void MDIForm1::Software_description_Click() {
    platform_.showHelp(HelpFilePath(), kHelpForceFile, 0);
}

int MDIForm1::activeHelpTopic() const {
    QMdiSubWindow* window = mdiArea_->currentSubWindow();
    return HelpTopicOf(window ? window->widget() : nullptr);
}

void MDIForm1::HelpKey_Press() {
    platform_.showHelp(HelpFilePath(), kHelpContext, activeHelpTopic());
}

void MDIForm1::Exit_Click() {
    close();
}

// Nothing is asked and nothing saved. The help window is a window of its own
// and would keep the application running, so the application is told to end.
void MDIForm1::MDIForm_Unload() {
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    MDIForm_Unload();
}

} // namespace termiva
