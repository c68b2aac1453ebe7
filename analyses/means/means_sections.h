#pragma once
// The optional sections of the two-group means report, listed once: the
// option that chooses each, its caption (in the report and on its check box
// in the result-items dialog), its name on the command line, and its writer.
// The report stacks the chosen ones in this order.
#include <array>

#include "analyses/means/means_analysis.h"
#include "analyses/means/means_options.h"
#include "model/workbook.h"

namespace tavelmark::means {

struct MeansSection {
    bool MeansOptions::*chosen;
    const char* caption;
    const char* cliName;  // in --sections
    int checkBox;         // its check box in the dialog: Check3 ... Check9
    // Writes the section below its caption row `firstRow`; returns the last
    // row written, so the next section starts below it.
    int (*write)(model::Sheet& sheet, int firstRow, const MeansResults& results);
};

extern const std::array<MeansSection, 7> kMeansSections;

}  // namespace tavelmark::means
