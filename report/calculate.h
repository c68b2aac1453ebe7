#pragma once
// The one calculate skeleton that every analysis runs through, from a
// window's button or from the command line:
//
//   busy -> read and check the grid -> compute -> open the report frame ->
//   write -> ready
//
// An analysis plugs in three plain functions: a check that turns the grid
// into its input or a refusal, a computation, and a writer. Nothing is
// written before the input has been accepted, and a refusal always ends the
// same way: its message, the offending block selected and shown, ready.
// Callers run the skeleton under RunGuarded (report/guarded_run.h), so an
// exception ends in the "运行错误！" message, never in a busy status.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "model/cell_ref.h"
#include "model/input_grid.h"
#include "model/workbook.h"
#include "report/prompter.h"
#include "report/report_frame.h"
#include "report/report_outcome.h"

namespace tavelmark::report {

// Where the selection of the offending block falls relative to the message:
// after it as a rule; before it where the window has always done so.
enum class SelectionOrder { AfterMessage, BeforeMessage };

// Input the calculation will not take, and what the user is told about it.
struct Refusal {
    Refusal(std::string title, std::string text, MessageIcon icon = MessageIcon::Critical,
            std::optional<model::RangeRef> select = std::nullopt,
            SelectionOrder order = SelectionOrder::AfterMessage)
        : title(std::move(title)), text(std::move(text)), icon(icon), select(select), order(order) {}

    std::string title;
    std::string text;
    MessageIcon icon;
    std::optional<model::RangeRef> select;  // the block the message is about
    SelectionOrder order;
};

// The message, and the offending block selected in the grid and shown, in
// the refusal's order.
void Refuse(Prompter& prompter, model::InputGrid& grid, const Refusal& refusal);

// What a check makes of the grid: the analysis's input, a refusal, or
// neither when the check itself ended the command without a report (the
// user deleted an outlier and is asked to calculate again).
template <class Input>
struct Checked {
    std::optional<Input> input;
    std::optional<Refusal> refusal;

    static Checked accept(Input in) { return {std::move(in), std::nullopt}; }
    static Checked refuse(Refusal r) { return {std::nullopt, std::move(r)}; }
    static Checked stop() { return {}; }
};

template <class Input, class Results>
struct CalculateSteps {
    std::function<Checked<Input>()> check;
    // A computation may still refuse (a fit that cannot be made).
    std::function<std::variant<Results, Refusal>(const Input&)> compute;
    // Writes the report into the frame's fresh workbook.
    std::function<void(model::Workbook&, const Input&, const Results&)> write;
    // The LDk comparison hands its empty workbook to the user after a refusal.
    bool workbookOnRefusal = false;
};

template <class Results>
struct Calculated {
    ReportOutcome report;
    std::optional<Results> results;  // set when the report was written
};

template <class Input, class Results>
Calculated<Results> Calculate(model::InputGrid& grid, Prompter& prompter, const ReportContext& context,
                              const CalculateSteps<Input, Results>& steps) {
    prompter.setStatusBusy();
    auto refused = [&](const Refusal& refusal) {
        Refuse(prompter, grid, refusal);
        Calculated<Results> out;
        if (steps.workbookOnRefusal) out.report.workbook = NewReportWorkbook(context);
        out.report.refused = true;
        prompter.setStatusReady();
        return out;
    };

    Checked<Input> checked = steps.check();
    if (checked.refusal) return refused(*checked.refusal);
    if (!checked.input) {
        prompter.setStatusReady();
        return {};
    }

    std::variant<Results, Refusal> computed = steps.compute(*checked.input);
    if (auto* refusal = std::get_if<Refusal>(&computed)) return refused(*refusal);

    Calculated<Results> out;
    out.results = std::move(std::get<Results>(computed));
    out.report.workbook = NewReportWorkbook(context);
    steps.write(*out.report.workbook, *checked.input, *out.results);
    prompter.setStatusReady();
    return out;
}

}  // namespace tavelmark::report
