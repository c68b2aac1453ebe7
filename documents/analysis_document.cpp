#include "documents/analysis_document.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/atomic_file.h"
#include "files/csv_reader.h"

namespace tavelmark::documents {

using model::CellName, model::CellRef, model::CellValue, model::GridSheet, model::ParseCell,
    model::RangeRef;
using nlohmann::json;

namespace {

// A saved analysis holds at most a few hundred cells; anything far larger is
// not one, and is refused before it is read into memory.
constexpr std::uintmax_t kLargestAnalysisFile = 4u << 20;

constexpr const char* kNotADocument = "该文件不是Tavelmark分析数据文件，或已损坏。";
constexpr const char* kBadOptions = "该文件中保存的选项有误：";

ReadResult Refuse(std::string why) { return ReadResult{std::nullopt, std::move(why)}; }

// The text as JSON, or a discarded value when it is not JSON or nests deeper
// than kDeepestNesting. The parser itself keeps its levels on the heap; once
// a level too deep starts, nothing more is kept.
json ParseWithinDepth(std::string_view text) {
    bool tooDeep = false;
    const json::parser_callback_t limit = [&tooDeep](int depth, json::parse_event_t event, json&) {
        const bool opens = event == json::parse_event_t::object_start || event == json::parse_event_t::array_start;
        if (opens && depth >= kDeepestNesting) tooDeep = true;
        return !tooDeep;
    };
    json root = json::parse(text, limit, false);
    return tooDeep ? json(json::value_t::discarded) : root;
}

}  // namespace

std::vector<SavedCell> CollectCells(const GridSheet& sheet) {
    std::vector<SavedCell> cells;
    const RangeRef area = sheet.viewableRange();
    for (int row = area.first.row; row <= area.last.row; ++row)
        for (int column = area.first.column; column <= area.last.column; ++column) {
            const CellValue& value = sheet.value(CellRef{row, column});
            if (!model::IsEmpty(value)) cells.push_back({CellRef{row, column}, value});
        }
    return cells;
}

void ApplyCells(const std::vector<SavedCell>& cells, GridSheet& sheet) {
    const RangeRef area = sheet.viewableRange();
    sheet.clearContents(area);
    for (const SavedCell& saved : cells)
        if (area.contains(saved.cell)) sheet.setValue(saved.cell, saved.value);
}

std::string WriteAnalysisDocument(const AnalysisDocument& document) {
    json cells = json::array();
    for (const SavedCell& saved : document.cells) {
        json cell{{"ref", CellName(saved.cell)}};
        if (const double* number = std::get_if<double>(&saved.value)) {
            cell["number"] = *number;
        } else if (const std::string* text = std::get_if<std::string>(&saved.value)) {
            cell["text"] = *text;
        } else {
            continue;
        }
        cells.push_back(std::move(cell));
    }
    const json root{
        {"format", kAnalysisFormatName},
        {"formatVersion", kAnalysisFormatVersion},
        {"program", document.program},
        {"savedAt", document.savedAt},
        {"analysis", document.analysis},
        {"options", document.options},
        {"cells", std::move(cells)},
    };
    // Invalid UTF-8 in a text cell is replaced rather than refused: the
    // user's other values are still kept.
    return root.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

ReadResult ReadAnalysisDocument(std::string_view text, report::AnalysisCatalogue known, std::string_view expected,
                                std::optional<RangeRef> reachable) {
    const json root = ParseWithinDepth(text);
    if (root.is_discarded() || !root.is_object()) return Refuse(kNotADocument);
    const auto format = root.find("format");
    if (format == root.end() || *format != kAnalysisFormatName) return Refuse(kNotADocument);

    const auto version = root.find("formatVersion");
    if (version == root.end() || !version->is_number_integer() || *version < 1)
        return Refuse(kNotADocument);
    if (*version > kAnalysisFormatVersion)
        return Refuse("该文件由较新版本的Tavelmark保存(格式版本 " + std::to_string(version->get<long long>()) +
                      ")，本程序只能打开格式版本 " + std::to_string(kAnalysisFormatVersion) +
                      " 及以前的文件。请升级Tavelmark后再打开。");

    const auto analysis = root.find("analysis");
    const report::AnalysisRegistration* kind =
        analysis != root.end() && analysis->is_string() ? report::FindAnalysis(known, analysis->get<std::string>())
                                                        : nullptr;
    if (!kind) return Refuse(kNotADocument);
    if (!expected.empty() && kind->name != expected) {
        const report::AnalysisRegistration* wanted = report::FindAnalysis(known, expected);
        return Refuse("该文件保存的是“" + std::string(kind->caption) + "”的数据，不能在“" +
                      std::string(wanted ? wanted->caption : expected) + "”中打开。");
    }

    AnalysisDocument document;
    document.analysis = std::string(kind->name);
    nlohmann::json saved = json::object();
    if (const auto options = root.find("options"); options != root.end()) {
        if (!options->is_object()) return Refuse(kNotADocument);
        saved = *options;
    }
    report::CheckedOptions checked = kind->checkOptions(saved);
    if (!checked.refusal.empty()) return Refuse(kBadOptions + checked.refusal);
    document.options = std::move(checked.options);
    if (const auto program = root.find("program"); program != root.end() && program->is_string())
        document.program = program->get<std::string>();
    if (const auto savedAt = root.find("savedAt"); savedAt != root.end() && savedAt->is_string())
        document.savedAt = savedAt->get<std::string>();

    const auto cells = root.find("cells");
    if (cells == root.end() || !cells->is_array()) return Refuse(kNotADocument);
    for (const json& cell : *cells) {
        if (!cell.is_object()) return Refuse(kNotADocument);
        const auto ref = cell.find("ref");
        const std::optional<CellRef> where =
            ref != cell.end() && ref->is_string() ? ParseCell(ref->get<std::string>()) : std::nullopt;
        if (!where) return Refuse(kNotADocument);
        if (reachable && !reachable->contains(*where))
            return Refuse("该文件中的单元格 " + CellName(*where) + " 位于表格可录入区域之外，文件已损坏。");
        const auto number = cell.find("number");
        const auto textValue = cell.find("text");
        if (number != cell.end() && number->is_number() && std::isfinite(number->get<double>())) {
            document.cells.push_back({*where, number->get<double>()});
        } else if (textValue != cell.end() && textValue->is_string()) {
            // A cell holds no more, whichever file its text came from.
            const auto& saved = textValue->get_ref<const std::string&>();
            document.cells.push_back({*where, std::string(files::CellCharacters(saved))});
        } else {
            return Refuse(kNotADocument);
        }
    }
    return ReadResult{std::move(document), {}};
}

bool SaveAnalysisFile(const std::string& path, const AnalysisDocument& document, std::string* error) {
    const std::string bytes = WriteAnalysisDocument(document);
    return files::SaveFileAtomically(
        path,
        [&](const std::string& temporary, std::string* why) {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.flush();
            if (!out) *why = "写入失败";
            return static_cast<bool>(out);
        },
        error);
}

ReadResult LoadAnalysisFile(const std::string& path, report::AnalysisCatalogue known, std::string_view expected,
                            std::optional<RangeRef> reachable) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(std::filesystem::u8path(path), ec);
    if (ec || !std::filesystem::is_regular_file(std::filesystem::u8path(path), ec))
        return Refuse("无法打开文件 \"" + path + "\"。");
    if (size > kLargestAnalysisFile) return Refuse(kNotADocument);
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    if (!in) return Refuse("无法打开文件 \"" + path + "\"。");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ReadResult read = ReadAnalysisDocument(text, known, expected, reachable);
    if (!read.document && read.error.starts_with(kBadOptions)) read.error = "文件 \"" + path + "\": " + read.error;
    return read;
}

std::string LocalTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string text(stamp);
    // strftime gives +0800; ISO 8601 with a colon reads better: +08:00.
    if (text.size() >= 5) text.insert(text.size() - 2, ":");
    return text;
}

}  // namespace tavelmark::documents
