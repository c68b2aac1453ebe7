#include "analyses/rates/rates_window.h"

#include "analyses/rates/rate_table.h"

namespace tavelmark::rates {

using model::GridSheet, model::HAlign, model::InputGrid, model::PointsToCharacterWidth,
    model::Range;

void SetUpRatesGrid(InputGrid& grid) {
    GridSheet& sheet = grid.activeSheet();
    sheet.setGridlines(false);
    sheet.setViewableRange(Range("A1:C3"));
    sheet.setColumnWidth(1, PointsToCharacterWidth(69.75));
    sheet.setColumnWidths(Range("B:C"), PointsToCharacterWidth(54));
    grid.notifyChanged();
}

void WriteRatesTemplate(InputGrid& grid) {
    SetUpRatesGrid(grid);
    GridSheet& sheet = grid.activeSheet();
    sheet.setFontSize(Range("A1:D4"), 10);
    sheet.setHorizontalAlignment(Range("A1:D4"), HAlign::Center);
    sheet.setBoxBorders(Range(kRatesCountBlock), 5);
    grid.setValue("B1", std::string("阳性数"));
    grid.setValue("C1", std::string("阴性数"));
    grid.setValue("A2", std::string("R组"));
    grid.setValue("A3", std::string("T组"));
    grid.setValue("B2", 12.0);
    grid.setValue("C2", 20.0);
    grid.setValue("B3", 19.0);
    grid.setValue("C3", 11.0);
    grid.select("A1");
    grid.notifyChanged();
}

void RunRatesMenuCommand(RatesMenuCommand command, InputGrid& grid, RatesOptions& options) {
    WriteRatesTemplate(grid);
    switch (command) {
        case RatesMenuCommand::RateAna:
            break;
        case RatesMenuCommand::EnRateAna:
            options.captionCommand = command;
            break;
        case RatesMenuCommand::RateComp:
            options.captionCommand = command;
            grid.setValue("A2", std::string("处理1"));
            grid.setValue("A3", std::string("处理2"));
            grid.notifyChanged();
            break;
        case RatesMenuCommand::OddAna:
            options.odds = true;
            break;
    }
}

const char* RatesWindowCaption(RatesMenuCommand captionCommand) {
    switch (captionCommand) {
        case RatesMenuCommand::EnRateAna: return kEnRatesWindowCaption;
        case RatesMenuCommand::RateComp: return kRateCompWindowCaption;
        case RatesMenuCommand::RateAna:
        case RatesMenuCommand::OddAna: break;
    }
    return kRatesWindowCaption;
}

std::string RatesReportTitle(RatesMenuCommand captionCommand) {
    if (RatesWindowCaption(captionCommand) == std::string_view(kRatesWindowCaption))
        return "智能化两组阳性率分析(2×2卡方法)计算结果";
    return "阳性率分析(2×2卡方法)计算结果";
}

}  // namespace tavelmark::rates
