#pragma once
// What the main window offers the analysis windows: the MDI area to open
// their windows in, the prompter (message boxes and the status bar), the
// folder of the shipped files, the analyses the program knows (an analysis
// file names one of them), and the hand-over of a finished report.
#include <functional>
#include <map>

#include <QString>

#include "model/workbook.h"
#include "report/analysis_registration.h"
#include "report/prompter.h"
#include "report/report_frame.h"

class QMdiArea;
class QWidget;

namespace tavelmark::ui {

class ResultWindow;

class Workbench {
public:
    virtual ~Workbench() = default;
    virtual QMdiArea* mdiArea() = 0;
    virtual QWidget* mainWidget() = 0;
    // Real message boxes; busy/ready drive the status text and the hourglass.
    virtual report::Prompter& prompter() = 0;
    virtual report::ReportContext reportContext() const = 0;
    virtual report::AnalysisCatalogue analyses() const = 0;
    // Opens a new result window showing the workbook; earlier ones stay open.
    virtual ResultWindow* showReport(model::Workbook workbook) = 0;
};

// Menu commands by the object name of their menu entry ("mnuBliss").
using MenuCommand = std::function<void(Workbench&)>;
using CommandTable = std::map<QString, MenuCommand>;

}  // namespace tavelmark::ui
