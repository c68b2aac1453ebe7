#pragma once
// A saved analysis: what one data-entry window holds (the grid's values and
// the options), written as a small versioned JSON document so that a lab can
// keep an experiment and open it again, in the window or on the command line.
// The format is described for users in docs/analysis-file.md.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/cell_ref.h"
#include "model/cell_value.h"
#include "model/input_grid.h"
#include "report/analysis_registration.h"

namespace tavelmark::documents {

// The format this program writes; it reads this one and every older one.
inline constexpr int kAnalysisFormatVersion = 1;
inline constexpr std::string_view kAnalysisFormatName = "tavelmark-analysis";
inline constexpr std::string_view kAnalysisFileSuffix = ".tavelmark";

// A saved analysis nests three levels (the document, its options, a list
// among them). A file nested deeper than this is refused as damaged while it
// is parsed, before a tree is built that would take a stack frame per level
// to copy or compare.
inline constexpr int kDeepestNesting = 64;

struct SavedCell {
    model::CellRef cell;
    model::CellValue value;  // a number or a text; empty cells are not saved
    bool operator==(const SavedCell&) const = default;
};

struct AnalysisDocument {
    std::string analysis;          // the analysis's name, as its registration gives it: "bliss"
    std::vector<SavedCell> cells;  // in row order, then column order
    nlohmann::json options = nlohmann::json::object();  // read: checked and complete
    std::string program;  // the program and version that saved it
    std::string savedAt;  // local time with offset, ISO 8601
};

// The values of the grid's active sheet within its reachable area.
std::vector<SavedCell> CollectCells(const model::GridSheet& sheet);

// Empties the reachable area of the active sheet and puts the saved values
// in; the sheet's formats and headings written by its template stay.
void ApplyCells(const std::vector<SavedCell>& cells, model::GridSheet& sheet);

std::string WriteAnalysisDocument(const AnalysisDocument& document);

struct ReadResult {
    std::optional<AnalysisDocument> document;
    std::string error;  // why the file cannot be opened, in words for the user
};

// Reads a document written by this or an older program. Refused, with the
// reason: text that is not such a document or is damaged (also one nested
// deeper than kDeepestNesting), a document of an analysis not among `known` or of another one than `expected` (when given),
// one from a newer format, options that the analysis's rules refuse, or cells
// outside the reachable area `reachable` (when given). The options of a read
// document are complete: the analysis's defaults fill in what is missing.
ReadResult ReadAnalysisDocument(std::string_view text, report::AnalysisCatalogue known,
                                std::string_view expected = {},
                                std::optional<model::RangeRef> reachable = std::nullopt);

// The file on disk: written whole or not at all; read with a size limit, as
// a saved analysis is a few kilobytes.
bool SaveAnalysisFile(const std::string& path, const AnalysisDocument& document, std::string* error);
// A refusal of the file's options names the file.
ReadResult LoadAnalysisFile(const std::string& path, report::AnalysisCatalogue known, std::string_view expected = {},
                            std::optional<model::RangeRef> reachable = std::nullopt);

// Now, as savedAt writes it: "2026-12-10T15:42:07+08:00".
std::string LocalTimestamp();

}  // namespace tavelmark::documents
