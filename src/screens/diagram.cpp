// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/diagram.h"

#include "screens/chart_screen.h"
#include "screens/heat_loss_table_screen.h"
#include "screens/single_pipe_screen.h"
#include "screens/workbook_chart_view.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace termiva {

struct Diagram::State {
    State(QMdiArea* mdiArea, Platform& p) : area(mdiArea), platform(p) {}

    bool showChart(const QString& workbookPath);

    QPointer<QMdiArea> area;
    Platform& platform;
    // Form5 hangs in the main window's widget tree, hidden; Form7 belongs to
    // its MDI sub-window, which deletes it when the user closes it.
    QPointer<Form5> form5;
    QPointer<Form7> form7;
};

// Reloads (creating it first if the user closed it) and brings the chart
// screen to the front.
bool Diagram::State::showChart(const QString& workbookPath) {
    if (!area)
        return false;
    QMdiSubWindow* sub = nullptr;
    const bool created = !form7;
    if (created) {
        form7 = new Form7(platform);
        sub = area->addSubWindow(form7);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        form7->Form_Load();
    } else {
        sub = qobject_cast<QMdiSubWindow*>(form7->parentWidget());
    }
    form7->setSource(form5 ? form5->source() : nullptr);
    form7->setTableNote(form5 ? form5->tableNote() : QString());
    if (auto error = form7->loadChart(workbookPath)) {
        platform.error(*error);
        if (created)
            delete sub;
        return false;
    }
    const bool wasActive = area->activeSubWindow() == sub;
    sub->showNormal();
    sub->raise();
    area->setActiveSubWindow(sub);
    // Activation copies the summary; an export while the chart screen is
    // already in front does not activate it again.
    if (wasActive)
        form7->Form_Activate();
    return true;
}

Diagram::Diagram(QMdiArea* area, Platform& platform)
    : state_(std::make_unique<State>(area, platform)) {}

Diagram::~Diagram() {
    delete state_->form5.data();
}

void Diagram::run(Form3& singlePipe) {
    State& s = *state_;
    if (!s.form5) {
        s.form5 = new Form5(s.platform, s.area ? s.area->window() : nullptr);
        s.form5->setChartAction([&s](const QString& path) { return s.showChart(path); });
    }
    s.form5->setSource(&singlePipe);
    if (!s.form5->Command1_Click())
        return;
    s.form5->Command2_Click();
}

Form5* Diagram::form5() const {
    return state_->form5;
}

Form7* Diagram::form7() const {
    return state_->form7;
}

} // namespace termiva
