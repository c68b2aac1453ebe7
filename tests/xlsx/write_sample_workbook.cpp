// Writes a workbook that uses every feature of the report model, for
// check_readback.py to open with an independent reader. Usage:
//   xlsx_sample_writer OUT.xlsx [BACKGROUND.jpg]
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "model/workbook.h"
#include "xlsx/xlsx_export.h"

using namespace tavelmark;

namespace {

// Values whose 16-digit text reads back as another number (or as infinity),
// and values whose shortest text is not the 16-digit one.
std::vector<double> RoundTripValues() {
    using limits = std::numeric_limits<double>;
    return {limits::max(),     -limits::max(),      limits::min(),  limits::denorm_min(),
            2.5e-310,          0.1 + 0.2,           1.0 / 3,        -2.0 / 3,
            0.1 + 0.7,         1e-5,                1e23,           9007199254740993.0,
            123456.78901234567, 1.2345678901234567e300, 3.0 * 1.1, 15.0};
}

// Column A holds the value, column B its exact binary value in hexadecimal
// ("%a"), for the reader to compare bit for bit.
void WriteRoundTripTable(model::Sheet& sheet, int firstRow) {
    int row = firstRow;
    for (double v : RoundTripValues()) {
        char hex[64];
        std::snprintf(hex, sizeof hex, "%a", v);
        sheet.setValue(model::CellRef{row, 1}, v);
        sheet.setValue(model::CellRef{row, 2}, std::string(hex));
        ++row;
    }
}

model::Workbook SampleWorkbook(const std::string& backgroundPicture) {
    model::Workbook book;
    model::Sheet& sheet = book.activeSheet();

    // The report look: one font for the whole sheet, all columns 13.5 wide, A wider.
    sheet.formatAll([](model::CellFormat& f) {
        f.font.name = "Microsoft Sans Serif";
        f.font.size = 10;
    });
    sheet.setDefaultColumnWidth(13.5);
    sheet.setColumnWidth(1, 20);
    sheet.setGridlines(false);
    sheet.setBackgroundPicture(backgroundPicture);

    sheet.setValue("A1", std::string("Quorin ver1.0 (Tavelmark for Windows)"));
    sheet.setFontColour(model::Range("A1"), model::Rgb{255, 0, 0});
    sheet.setValue("A2", std::string("Bliss法(正规LD50计算)计算结果"));
    sheet.setFontColour(model::Range("A2"), model::Rgb{0, 0, 255});
    sheet.setFontSize(model::Range("A1:A2"), 14);

    // A table with its three rules; D5 is an empty cell that only carries the rule.
    sheet.setValue("A4", std::string("计算结果"));
    sheet.setBottomBorder(model::Range("A4:D4"), model::BorderWeight::Medium);
    sheet.setValue("A5", std::string("剂量"));
    sheet.setValue("B5", std::string("反应数"));
    sheet.setBottomBorder(model::Range("A5:D5"), model::BorderWeight::Thin);
    sheet.setValue("A6", 15.0);
    sheet.setValue("B6", 0.123456789);
    sheet.setNumberFormat(model::Range("B6"), "0.0000_ ");
    sheet.setBottomBorder(model::Range("A6:D6"), model::BorderWeight::Medium);

    // Alignment and reading order.
    sheet.setValue("A8", std::string("跨列居中"));
    sheet.setHorizontalAlignment(model::Range("A8:D8"), model::HAlign::CenterAcrossSelection);
    sheet.setValue("B9", std::string("centred"));
    sheet.setHorizontalAlignment(model::Range("B9"), model::HAlign::Center);
    sheet.setVerticalAlignment(model::Range("B9"), model::VAlign::Center);
    sheet.setReadingOrder(model::Range("B9"), model::ReadingOrder::LeftToRight);

    // Rich text: the 2 of χ2 raised; a cell that is one raised run.
    sheet.setValue("A10", model::RichText{{"注:χ", false}, {"2", true}, {"值＝ 3.4078", false}});
    sheet.setValue("A11", model::RichText{{"2", true}});

    // A merge keeps its first cell's value and format; C12's value is dropped.
    sheet.setValue("B12", 42.0);
    sheet.setValue("C12", std::string("hidden by the merge"));
    sheet.setHorizontalAlignment(model::Range("B12"), model::HAlign::Right);
    sheet.merge(model::Range("B12:C13"));

    // Results that are not finite numbers leave their cells empty.
    sheet.setValue("A14", std::numeric_limits<double>::quiet_NaN());
    sheet.setValue("B14", std::numeric_limits<double>::infinity());
    sheet.setValue("C14", -std::numeric_limits<double>::infinity());

    // Wrapped texts: thirty ideographs in the 20-character column A take three
    // lines; ten in 14 points, whose ideographs are wider, two.
    sheet.setValue("A25", std::string("一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十"));
    sheet.setValue("B25", std::string("short"));
    sheet.setWrapText(model::Range("A25:B25"), true);
    sheet.setValue("A26", std::string("一二三四五六七八九十"));
    sheet.setFontSize(model::Range("A26"), 14);
    sheet.setWrapText(model::Range("A26"), true);
    // Forty lines: more than the tallest row a spreadsheet file holds.
    std::string forty;
    for (int line = 0; line < 40; ++line) forty += "line\n";
    sheet.setValue("A27", forty);
    sheet.setWrapText(model::Range("A27"), true);

    // Numbers that need 17 digits, also in a merged area and with a number format.
    WriteRoundTripTable(sheet, 30);
    sheet.setValue("D30", 0.1 + 0.2);
    sheet.merge(model::Range("D30:E31"));
    sheet.setValue("D33", 1.0 / 3);
    sheet.setNumberFormat(model::Range("D33"), "0.0000_ ");

    // A column-layer format: every cell of F centred.
    sheet.setHorizontalAlignment(model::Range("F:F"), model::HAlign::Center);
    sheet.setValue("F3", std::string("列"));

    // Large blocks, as the means report's raw data: a centred area with a few
    // values and a rule under its first row, and a block of rules.
    sheet.setBottomBorder(model::Range("I40:J40"), model::BorderWeight::Medium);
    sheet.setHorizontalAlignment(model::Range("I40:J5000"), model::HAlign::Center);
    sheet.setValue("I41", 38.0);
    sheet.setValue("J42", std::string("原始"));
    sheet.setBottomBorder(model::Range("L40:L1200"), model::BorderWeight::Thin);

    // The chart's data: log dose in A, empirical probits in C, fitted in G.
    for (int i = 0; i < 6; ++i) {
        const int row = 18 + i;
        const double x = 1.0 + 0.1 * i;
        sheet.setValue(model::CellRef{row, 1}, x);
        sheet.setValue(model::CellRef{row, 3}, 3.0 + 2.0 * (x - 1.0) + (i % 2 ? 0.1 : -0.1));
        sheet.setValue(model::CellRef{row, 7}, 3.0 + 2.0 * (x - 1.0));
    }

    model::Chart chart;
    chart.name = "图表 1";
    chart.title = "Yr-X";
    chart.titleFontSize = 24;
    chart.xAxis.title = "对数剂量(X)";
    chart.xAxis.tickNumberFormat = "0.00_ ";
    chart.yAxis.title = "回归几率单位(Yr)";
    chart.yAxis.tickNumberFormat = "0.00_ ";
    model::ChartSeries observed;
    observed.xValues = model::Range("A18:A23");
    observed.yValues = model::Range("C18:C23");
    observed.kind = model::SeriesKind::Scatter;
    observed.markerStyle = model::MarkerStyle::Circle;
    observed.markerSize = 4;
    observed.markerBackgroundColourIndex = 2;
    model::ChartSeries fitted;
    fitted.xValues = model::Range("A18:A23");
    fitted.yValues = model::Range("G18:G23");
    fitted.kind = model::SeriesKind::ScatterLinesNoMarkers;
    fitted.lineColourIndex = 3;
    chart.series = {observed, fitted};
    chart.left = 330;
    chart.top = 50;
    chart.width = 200;
    chart.height = 150;
    sheet.addChart(chart);

    sheet.select(model::Cell("C5"));

    // A second sheet with default formats and gridlines on.
    model::Sheet scratch("Scratch data");
    scratch.setValue("A1", 1.5);
    WriteRoundTripTable(scratch, 2);
    book.sheets.push_back(scratch);
    return book;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUT.xlsx [BACKGROUND.jpg]\n", argv[0]);
        return 2;
    }
    std::string error;
    if (!xlsx::SaveXlsx(SampleWorkbook(argc == 3 ? argv[2] : ""), argv[1], &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
