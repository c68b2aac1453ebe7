#include "xlsx/xlsx_number_texts.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include <zip.h>

#include "files/utf8_path.h"
#include "xlsx/xlsx_drawing_links.h"
#include "xlsx/xlsx_error_bars.h"

namespace tavelmark::xlsx {

using model::CellRef, model::ParseCell, model::PlainText, model::Sheet, model::Workbook;

namespace {

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

// The worksheet part as libxlsxwriter writes it: a number cell is
// <c r="B6" s="3"><v>0.1234567890123457</v></c>, with no t="..." (shared and
// inline strings, booleans and errors carry one). Returns the part with each
// number cell's text replaced by the model value's shortest text, or nothing
// when no text changes.
std::optional<std::string> ShortestTextsInPart(std::string_view xml, const Sheet& sheet) {
    static constexpr std::string_view kCellStart = "<c r=\"";
    std::string out;
    std::size_t copied = 0;  // xml before this offset is in out already
    std::size_t pos = 0;
    while ((pos = xml.find(kCellStart, pos)) != std::string_view::npos) {
        const std::size_t tagEnd = xml.find('>', pos);
        if (tagEnd == std::string_view::npos) break;
        const std::string_view tag = xml.substr(pos, tagEnd - pos);
        pos = tagEnd + 1;
        if (tag.back() == '/' || tag.find(" t=\"") != std::string_view::npos) continue;
        if (xml.substr(pos, 3) != "<v>") continue;
        const std::size_t textStart = pos + 3;
        const std::size_t textEnd = xml.find("</v>", textStart);
        if (textEnd == std::string_view::npos) break;
        pos = textEnd;

        const std::string_view ref = tag.substr(kCellStart.size(), tag.find('"', kCellStart.size()) -
                                                                        kCellStart.size());
        const std::optional<CellRef> cell = ParseCell(ref);
        if (!cell || !std::holds_alternative<double>(sheet.value(*cell))) continue;
        const std::string text = PlainText(sheet.value(*cell));
        if (xml.substr(textStart, textEnd - textStart) == text) continue;
        if (out.empty()) out.reserve(xml.size() + xml.size() / 8);
        out.append(xml.substr(copied, textStart - copied));
        out += text;
        copied = textEnd;
    }
    if (copied == 0) return std::nullopt;
    out.append(xml.substr(copied));
    return out;
}

std::optional<std::string> ReadEntry(zip_t* archive, zip_uint64_t index) {
    zip_stat_t stat;
    if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) return std::nullopt;
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (!file) return std::nullopt;
    std::string content(stat.size, '\0');
    const zip_int64_t read = zip_fread(file, content.data(), stat.size);
    zip_fclose(file);
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) return std::nullopt;
    return content;
}

// The part deflated at the fastest level: it is mostly repeated markup, and
// the library's default, the strongest level, would take longer than writing
// the whole workbook. libzip keeps a replaced entry's own level (a level set
// for the method the entry already has is dropped), so the part is deleted
// and added anew. `content` must live until the archive is closed.
bool ReplacePart(zip_t* archive, zip_uint64_t index, const std::string& name, const std::string& content) {
    if (zip_delete(archive, index) != 0) return false;
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    if (!source) return false;
    const zip_int64_t added = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (added < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_set_file_compression(archive, static_cast<zip_uint64_t>(added), ZIP_CM_DEFLATE, 1) == 0;
}

// In one read of the file's size: a character-by-character copy cost more
// than inflating the worksheet.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(files::Utf8Path(path), std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0 || !in.seekg(0)) return std::nullopt;
    std::string content(static_cast<std::size_t>(size), '\0');
    if (!in.read(content.data(), size)) return std::nullopt;
    return content;
}

// The whole archive as libzip wrote it into `source`, a buffer source.
std::optional<std::string> SourceContent(zip_source_t* source) {
    zip_stat_t stat;
    if (zip_source_stat(source, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) return std::nullopt;
    if (zip_source_open(source) != 0) return std::nullopt;
    std::string content(stat.size, '\0');
    const zip_int64_t read = zip_source_read(source, content.data(), stat.size);
    zip_source_close(source);
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) return std::nullopt;
    return content;
}

// Whether every number of the model is already in the file as its shortest
// text, judged from the model alone: libxlsxwriter prints a number as
// "%.16G", which is std::to_chars with 16 significant digits in the C
// locale's notation, with an upper-case exponent. The shortest text differs
// from that when it needs 17 digits, has an exponent, or the locale's
// decimal point is not ".". Most reports hold none of these, and then the
// archive is not opened again.
bool LibraryTextsAreShortest(const Workbook& model) {
    const std::lconv* locale = std::localeconv();
    if (!locale || std::string_view(locale->decimal_point) != ".") return false;
    char shortest[32];
    char sixteenDigits[32];
    for (const Sheet& sheet : model.sheets)
        for (const auto& [cell, value] : sheet.cells().values()) {
            const double* number = std::get_if<double>(&value);
            if (!number) continue;
            const std::to_chars_result a = std::to_chars(shortest, shortest + sizeof shortest, *number);
            const std::to_chars_result b = std::to_chars(sixteenDigits, sixteenDigits + sizeof sixteenDigits,
                                                         *number, std::chars_format::general, 16);
            const std::string_view shortestText(shortest, static_cast<std::size_t>(a.ptr - shortest));
            if (shortestText != std::string_view(sixteenDigits, static_cast<std::size_t>(b.ptr - sixteenDigits)) ||
                shortestText.find('e') != std::string_view::npos)
                return false;
        }
    return true;
}

}  // namespace

// The archive is rewritten in memory and the file replaced in place: the
// caller writes it under a temporary name of its own, and libzip's own
// temporary file would cost a seeded random name (several milliseconds of
// OpenSSL start-up) for every report.
bool WriteShortestNumberTexts(const Workbook& model, const std::string& xlsxPath, std::string* error) {
    // Error bars of per-point size and mended drawing links exist only after this pass.
    if (!HasCustomErrorBars(model) && !DrawingLinksNeedRepair(model) && LibraryTextsAreShortest(model))
        return true;
    const std::optional<std::string> original = ReadWholeFile(xlsxPath);
    if (!original) return Fail(error, "无法重新读取工作簿以写入数字: " + std::string(std::strerror(errno)));

    // The buffer is handed to libzip (malloc'd, freed by libzip): when it
    // writes an archive back into a buffer source it may release the
    // original buffer even when told not to (libzip issue 284).
    void* bytes = std::malloc(original->size());
    if (!bytes) return Fail(error, "无法写入数字: 内存不足");
    std::memcpy(bytes, original->data(), original->size());
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes, original->size(), 1, &zipError);
    if (!source) std::free(bytes);
    zip_t* archive = source ? zip_open_from_source(source, 0, &zipError) : nullptr;
    if (!archive) {
        if (source) zip_source_free(source);
        const std::string reason = zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
        return Fail(error, "无法重新打开工作簿以写入数字: " + reason);
    }
    zip_error_fini(&zipError);
    zip_source_keep(source);  // its new content is read after the archive is closed

    // libzip reads the replacement parts when the archive is closed: a deque
    // keeps each part where it is while more are added.
    std::deque<std::string> replacements;
    std::string failure;
    for (std::size_t i = 0; i < model.sheets.size() && failure.empty(); ++i) {
        const std::string part = "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml";
        const zip_int64_t index = zip_name_locate(archive, part.c_str(), 0);
        const std::optional<std::string> xml =
            index < 0 ? std::nullopt : ReadEntry(archive, static_cast<zip_uint64_t>(index));
        if (!xml) {
            failure = "工作簿缺少可读的 " + part;
            break;
        }
        std::optional<std::string> rewritten = ShortestTextsInPart(*xml, model.sheets[i]);
        if (!rewritten) continue;
        replacements.push_back(std::move(*rewritten));
        if (!ReplacePart(archive, static_cast<zip_uint64_t>(index), part, replacements.back()))
            failure = "无法写入 " + part + ": " + zip_strerror(archive);
    }
    // The same pass gives the charts their error bars of per-point size.
    const bool errorBars = HasCustomErrorBars(model);
    for (int chart = 1; errorBars && failure.empty(); ++chart) {
        const std::string part = "xl/charts/chart" + std::to_string(chart) + ".xml";
        const zip_int64_t index = zip_name_locate(archive, part.c_str(), 0);
        if (index < 0) break;
        const std::optional<std::string> xml = ReadEntry(archive, static_cast<zip_uint64_t>(index));
        std::optional<std::string> rewritten = xml ? WithCustomErrorBars(*xml, model) : std::nullopt;
        if (!rewritten) continue;
        replacements.push_back(std::move(*rewritten));
        if (!ReplacePart(archive, static_cast<zip_uint64_t>(index), part, replacements.back()))
            failure = "无法写入 " + part + ": " + zip_strerror(archive);
    }
    // Drawing parts are numbered in the order of the sheets that have one.
    int drawing = 0;
    for (std::size_t i = 0; i < model.sheets.size() && failure.empty(); ++i) {
        const std::string part = "xl/worksheets/_rels/sheet" + std::to_string(i + 1) + ".xml.rels";
        const zip_int64_t index = zip_name_locate(archive, part.c_str(), 0);
        if (index < 0) continue;
        const std::optional<std::string> xml = ReadEntry(archive, static_cast<zip_uint64_t>(index));
        if (!xml || !LinksDrawing(*xml)) continue;
        std::optional<std::string> mended = WithDrawingNumber(*xml, ++drawing);
        if (!mended) continue;
        replacements.push_back(std::move(*mended));
        if (!ReplacePart(archive, static_cast<zip_uint64_t>(index), part, replacements.back()))
            failure = "无法写入 " + part + ": " + zip_strerror(archive);
    }
    if (!failure.empty() || replacements.empty()) {
        zip_discard(archive);
        zip_source_free(source);
        if (!failure.empty()) return Fail(error, failure);
        return true;  // every text already the shortest: the file stays as written
    }
    if (zip_close(archive) != 0) {
        failure = std::string("无法写入数字: ") + zip_strerror(archive);
        zip_discard(archive);
        zip_source_free(source);
        return Fail(error, failure);
    }
    const std::optional<std::string> written = SourceContent(source);
    zip_source_free(source);
    if (!written) return Fail(error, "无法写入数字: 读不出改写后的工作簿");

    std::ofstream out(files::Utf8Path(xlsxPath), std::ios::binary | std::ios::trunc);
    out.write(written->data(), static_cast<std::streamsize>(written->size()));
    out.close();
    if (!out) return Fail(error, "无法写入数字: " + std::string(std::strerror(errno)));
    return true;
}

}  // namespace tavelmark::xlsx
