#pragma once
// The main window as far as the analysis windows see it, for their tests:
// an MDI area in a shown main window, a recording prompter, and every report
// kept and opened in a result window, and every analysis of the list. Include
// as "support/fake_workbench.h" and link tavelmark_analysis_list.
#include <vector>

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "analyses/analysis_list.h"
#include "report/prompter.h"
#include "ui/result_window.h"
#include "ui/workbench.h"

namespace tavelmark::test {

class FakeWorkbench : public ui::Workbench {
public:
    FakeWorkbench() {
        main.setCentralWidget(area = new QMdiArea);
        main.resize(1000, 800);
        main.show();
    }
    QMdiArea* mdiArea() override { return area; }
    QWidget* mainWidget() override { return &main; }
    report::Prompter& prompter() override { return recorder; }
    report::ReportContext reportContext() const override { return {TAVELMARK_RESOURCES}; }
    report::AnalysisCatalogue analyses() const override { return analyses::Analyses(); }
    ui::ResultWindow* showReport(model::Workbook workbook) override {
        reports.push_back(workbook);
        auto* window = new ui::ResultWindow(std::move(workbook));
        resultFrames.push_back(area->addSubWindow(window));
        resultFrames.back()->show();
        return window;
    }

    QMainWindow main;
    QMdiArea* area = nullptr;
    report::RecordingPrompter recorder;
    std::vector<model::Workbook> reports;
    std::vector<QMdiSubWindow*> resultFrames;  // of the reports, in order
};

}  // namespace tavelmark::test
