#pragma once
// The dose groups of the preparations as the input check returns them.
#include <string>
#include <vector>

namespace tavelmark::potency {

// The grid: headings in row 1, one dose group a row below, columns A to D.
inline constexpr const char* kPotencySheetName = "CalInput";
inline constexpr int kNameColumn = 1, kDoseColumn = 2, kSizeColumn = 3, kPositivesColumn = 4;
inline constexpr int kFirstDataRow = 2;
inline constexpr int kLastDataRow = 161;  // ten preparations of twelve doses, controls besides
inline constexpr int kMaxPreparations = 10;
inline constexpr int kMaxDoseGroups = 12;

struct DoseGroup {
    int row = 0;  // grid row
    double dose = 0;  // 0 for a control group
    double n = 0;
    double positives = 0;
};

struct Preparation {
    std::string name;
    int row = 0;  // the grid row where its name stands
    std::vector<DoseGroup> groups;    // dose above 0, in grid order
    std::vector<DoseGroup> controls;  // its own controls (dose 0 under its name)
};

struct PotencyData {
    std::vector<Preparation> preparations;  // in grid order
    std::vector<DoseGroup> sharedControls;  // the rows named 对照
    int reference = 0;                      // index of the reference preparation
};

}  // namespace tavelmark::potency
