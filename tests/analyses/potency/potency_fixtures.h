#pragma once
// The data sets of data/datasets.csv as the input check returns them, and
// the R reference figures of data/reference.csv by case and quantity.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analyses/potency/potency_data.h"
#include "support/reference_table.h"

namespace tavelmark::test {

// The preparations of a set in file order (rows of 对照 are the shared
// controls, dose 0 under a name that preparation's own); grid rows from 2.
inline potency::PotencyData PotencySet(const std::string& set, const std::string& reference = {}) {
    static const auto rows = ReadReferenceTable(std::string(TAVELMARK_TEST_DATA) + "/datasets.csv");
    potency::PotencyData data;
    int row = 2;
    for (const ReferenceRow& r : rows) {
        if (r.text("set") != set) continue;
        const potency::DoseGroup g{row++, r.number("dose"), r.number("n"), r.number("positives")};
        const std::string name = r.text("preparation");
        if (name == "对照") {
            data.sharedControls.push_back(g);
            continue;
        }
        if (data.preparations.empty() || data.preparations.back().name != name)
            data.preparations.push_back(potency::Preparation{name, g.row, {}, {}});
        (g.dose > 0 ? data.preparations.back().groups : data.preparations.back().controls).push_back(g);
    }
    for (std::size_t j = 0; j < data.preparations.size(); ++j)
        if (data.preparations[j].name == reference) data.reference = static_cast<int>(j);
    return data;
}

// The figures of one case ("finney/probit/none"); NA as an empty value.
inline std::map<std::string, std::optional<double>> PotencyReference(const std::string& kase) {
    static const auto rows = ReadReferenceTable(std::string(TAVELMARK_TEST_DATA) + "/reference.csv");
    std::map<std::string, std::optional<double>> figures;
    for (const ReferenceRow& r : rows)
        if (r.text("case") == kase)
            figures[r.text("quantity")] = r.isNA("value") ? std::nullopt : std::optional<double>(r.number("value"));
    return figures;
}

}  // namespace tavelmark::test
