#include "analyses/means/means_template.h"

#include <array>

#include "analyses/means/grubbs.h"

namespace tavelmark::means {

using model::CellRef, model::GridSheet, model::HAlign, model::InputGrid,
    model::PointsToCharacterWidth, model::RangeRef;

namespace {

constexpr std::array<double, 10> kExampleT = {38, 32, 34, 42, 35, 37, 45, 39, 38, 33};
constexpr std::array<double, 15> kExampleR = {32, 33, 41, 28, 32, 37, 33, 59,
                                              25, 33, 38, 28, 46, 51, 36};
constexpr int kGrubbsNColumn = 27;  // AA
constexpr int kGrubbsGColumn = 28;  // AB
constexpr int kBlueBox = 5;
constexpr double kColumnPoints = 66.75;

void WriteTableSheet(GridSheet& table) {
    table.setValue(CellRef{1, kGrubbsNColumn}, std::string("n"));
    table.setValue(CellRef{1, kGrubbsGColumn}, std::string("G"));
    int row = 2;
    for (const auto& line : kGrubbsTable) {
        table.setValue(CellRef{row, kGrubbsNColumn}, static_cast<double>(line.n));
        table.setValue(CellRef{row, kGrubbsGColumn}, line.critical);
        ++row;
    }
}

void WriteDataSheet(GridSheet& sheet) {
    sheet.setGridlines(false);
    sheet.setColumnWidths(RangeRef::columns(kMeansColumnT, kMeansColumnR),
                          PointsToCharacterWidth(kColumnPoints));

    const RangeRef headings{{1, kMeansColumnT}, {1, kMeansColumnR}};
    sheet.setValue(CellRef{1, kMeansColumnT}, std::string("T组"));
    sheet.setValue(CellRef{1, kMeansColumnR}, std::string("R组"));
    sheet.setFontName(headings, "宋体");
    sheet.setFontSize(headings, 10);
    sheet.setHorizontalAlignment(headings, HAlign::Center);

    const RangeRef data{{2, kMeansColumnT}, {kMeansLastGridRow, kMeansColumnR}};
    sheet.setFontName(data, "宋体");
    sheet.setFontSize(data, 10);
    sheet.setHorizontalAlignment(data, HAlign::Right);
    sheet.setBoxBorders(data, kBlueBox);

    for (std::size_t i = 0; i < kExampleT.size(); ++i)
        sheet.setValue(CellRef{static_cast<int>(i) + 2, kMeansColumnT}, kExampleT[i]);
    for (std::size_t i = 0; i < kExampleR.size(); ++i)
        sheet.setValue(CellRef{static_cast<int>(i) + 2, kMeansColumnR}, kExampleR[i]);

    sheet.setViewableRange({{1, kMeansColumnT}, {kMeansLastGridRow, kMeansColumnR}});
}

}  // namespace

void WriteMeansTemplate(InputGrid& grid) {
    grid.reset();
    WriteTableSheet(grid.addSheet("Table", true));
    grid.addSheet("temp", true);
    WriteDataSheet(grid.activeSheet());
    grid.select(RangeRef::cell({2, kMeansColumnT}));
    grid.notifyChanged();
}

}  // namespace tavelmark::means
