// The calculate skeleton: the order of its steps, and that every way out of
// it leaves the status ready and writes nothing before the input is accepted.
#include "report/calculate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/cell_ref.h"

namespace tavelmark::report {
namespace {

using Kind = RecordingPrompter::Kind;
using model::InputGrid, model::Range, model::Workbook;

enum class Ending { Accept, RefuseInCheck, RefuseBeforeSelecting, Stop, RefuseInCompute };

struct Trace {
    std::vector<std::string> steps;
};

CalculateSteps<int, int> Steps(Trace& trace, Ending ending, bool workbookOnRefusal = false) {
    CalculateSteps<int, int> steps;
    steps.check = [&trace, ending]() -> Checked<int> {
        trace.steps.push_back("check");
        switch (ending) {
            case Ending::RefuseInCheck:
                return Checked<int>::refuse({"标题", "文字", MessageIcon::Critical, Range("B3")});
            case Ending::RefuseBeforeSelecting:
                return Checked<int>::refuse({"标题", "文字", MessageIcon::Critical, Range("C4"),
                                             SelectionOrder::BeforeMessage});
            case Ending::Stop: return Checked<int>::stop();
            default: return Checked<int>::accept(7);
        }
    };
    steps.compute = [&trace, ending](const int& input) -> std::variant<int, Refusal> {
        trace.steps.push_back("compute");
        if (ending == Ending::RefuseInCompute) return Refusal{"提示！", "无法拟合", MessageIcon::Exclamation};
        return input * 6;
    };
    steps.write = [&trace](Workbook& book, const int&, const int& results) {
        trace.steps.push_back("write");
        book.activeSheet().setValue("A1", static_cast<double>(results));
    };
    steps.workbookOnRefusal = workbookOnRefusal;
    return steps;
}

std::vector<Kind> Kinds(const RecordingPrompter& prompter) {
    std::vector<Kind> kinds;
    for (const auto& e : prompter.events) kinds.push_back(e.kind);
    return kinds;
}

TEST(Calculate, EachEndingInItsOrder) {
    struct Case {
        const char* name;
        Ending ending;
        std::vector<std::string> steps;
        std::vector<Kind> events;
        bool report, refused;
    };
    const Case cases[] = {
        {"accepted", Ending::Accept, {"check", "compute", "write"}, {Kind::Busy, Kind::Ready}, true, false},
        {"refused by the check", Ending::RefuseInCheck, {"check"},
         {Kind::Busy, Kind::Message, Kind::Selection, Kind::Ready}, false, true},
        {"refused, the cell shown first", Ending::RefuseBeforeSelecting, {"check"},
         {Kind::Busy, Kind::Selection, Kind::Message, Kind::Ready}, false, true},
        {"stopped by the check", Ending::Stop, {"check"}, {Kind::Busy, Kind::Ready}, false, false},
        {"refused by the computation", Ending::RefuseInCompute, {"check", "compute"},
         {Kind::Busy, Kind::Message, Kind::Ready}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Trace trace;
        RecordingPrompter prompter;
        InputGrid grid;
        const auto out = Calculate(grid, prompter, ReportContext{}, Steps(trace, c.ending));
        EXPECT_EQ(trace.steps, c.steps);
        EXPECT_EQ(Kinds(prompter), c.events);
        EXPECT_EQ(out.report.workbook.has_value(), c.report);
        EXPECT_EQ(out.report.refused, c.refused);
        EXPECT_EQ(out.results.has_value(), c.report);
        EXPECT_EQ(prompter.statusText(), "就绪");
    }
}

TEST(Calculate, RefusalSelectsTheCellInTheGridAndMayHandOverTheEmptyWorkbook) {
    Trace trace;
    RecordingPrompter prompter;
    InputGrid grid;
    const auto out = Calculate(grid, prompter, ReportContext{}, Steps(trace, Ending::RefuseInCheck, true));
    EXPECT_EQ(grid.selection(), Range("B3"));
    ASSERT_TRUE(out.report.workbook);
    EXPECT_TRUE(out.report.refused);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(out.report.workbook->activeSheet().value("A1")));
}

TEST(Calculate, TheWriterGetsTheComputedResults) {
    Trace trace;
    RecordingPrompter prompter;
    InputGrid grid;
    const auto out = Calculate(grid, prompter, ReportContext{}, Steps(trace, Ending::Accept));
    ASSERT_TRUE(out.report.workbook);
    EXPECT_EQ(std::get<double>(out.report.workbook->activeSheet().value("A1")), 42.0);
    EXPECT_EQ(out.results, 42);
}

}  // namespace
}  // namespace tavelmark::report
