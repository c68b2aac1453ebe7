#include "files/input_loader.h"

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <utility>
#include <vector>

#include "files/csv_reader.h"
#include "files/text_decoding.h"
#include "model/cell_number.h"

namespace tavelmark::files {

using model::CellRef, model::CellValue, model::GridSheet, model::InputGrid, model::RangeName,
    model::RangeRef, model::ReadCellNumber;

namespace {

constexpr std::size_t kPieceSize = 64 * 1024;

std::string_view TrimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

CellValue FieldValue(std::string_view field) {
    const std::string_view text = TrimBlanks(field);
    if (text.empty()) return std::monostate{};
    if (const auto number = ReadCellNumber(text)) return *number;
    return std::string(text);
}

// What one reading of the file keeps: the values inside the grid's viewable
// range and how many values lie beyond it.
struct GridCells {
    RangeRef area;
    std::vector<std::pair<CellRef, CellValue>> values;
    std::int64_t outside = 0;

    void take(std::int64_t record, std::int64_t field, std::string_view text, bool blank) {
        if (blank) return;
        if (record <= INT_MAX && field <= INT_MAX) {
            const CellRef cell{static_cast<int>(record), static_cast<int>(field)};
            if (area.contains(cell)) {
                values.emplace_back(cell, FieldValue(text));
                return;
            }
        }
        ++outside;
    }
};

enum class Reading { Done, NotThisEncoding, ReadError };

// Reads the text as `encoding`: first `head`, the bytes already read, then
// the rest of the stream. `readOn` is set once more than `head` was read.
Reading ReadAs(TextEncoding encoding, std::string_view head, std::istream& rest, GridCells& cells,
               bool& readOn) {
    TextDecoder decoder(encoding);
    CsvParser parser({cells.area.last.row, cells.area.last.column},
                     [&cells](std::int64_t record, std::int64_t field, std::string_view text, bool blank) {
                         cells.take(record, field, text, blank);
                     });
    std::string text;
    if (!decoder.decode(head, text)) return Reading::NotThisEncoding;
    parser.feed(text);
    std::vector<char> piece(kPieceSize);
    while (rest) {
        rest.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const auto got = static_cast<std::size_t>(rest.gcount());
        if (got == 0) break;
        readOn = true;
        text.clear();
        if (!decoder.decode({piece.data(), got}, text)) return Reading::NotThisEncoding;
        parser.feed(text);
    }
    if (rest.bad()) return Reading::ReadError;
    if (!decoder.finish()) return Reading::NotThisEncoding;
    parser.finish();
    return Reading::Done;
}

}  // namespace

LoadStatus LoadInputGrid(std::istream& bytes, InputGrid& grid, std::ostream& err, std::int64_t* outside) {
    std::string head(kPieceSize, '\0');
    bytes.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(bytes.gcount()));
    if (bytes.bad()) return LoadStatus::Unreadable;
    const std::streampos afterHead = bytes ? bytes.tellg() : std::streampos(-1);

    const ByteOrderMark mark = FindByteOrderMark(head);
    const std::string_view text = std::string_view(head).substr(mark.length);
    std::vector<TextEncoding> encodings{mark.encoding};
    if (mark.encoding == TextEncoding::Utf8) encodings.push_back(TextEncoding::Gb18030);

    GridSheet& sheet = grid.activeSheet();
    bool readOn = false;
    for (const TextEncoding encoding : encodings) {
        if (readOn) {  // back to the end of the head for the next reading
            bytes.clear();
            if (afterHead == std::streampos(-1) || !bytes.seekg(afterHead)) return LoadStatus::UnknownEncoding;
            readOn = false;
        }
        GridCells cells{sheet.viewableRange(), {}, 0};
        const Reading reading = ReadAs(encoding, text, bytes, cells, readOn);
        if (reading == Reading::ReadError) return LoadStatus::Unreadable;
        if (reading == Reading::NotThisEncoding) continue;
        sheet.clearContents(cells.area);
        for (auto& [cell, value] : cells.values) sheet.setValue(cell, std::move(value));
        if (outside) *outside = cells.outside;
        if (cells.outside > 0)
            err << "警告: 输入文件中有 " << cells.outside << " 个数据位于输入表格 " << RangeName(cells.area)
                << " 之外, 未参与计算\n";
        return LoadStatus::Loaded;
    }
    return LoadStatus::UnknownEncoding;
}

LoadStatus LoadInputGrid(const std::string& path, InputGrid& grid, std::ostream& err, std::int64_t* outside) {
    std::error_code ec;
    std::ifstream file;
    if (!std::filesystem::is_directory(path, ec)) file.open(path, std::ios::binary);
    const LoadStatus status = file.is_open() ? LoadInputGrid(file, grid, err, outside) : LoadStatus::Unreadable;
    if (status == LoadStatus::Unreadable) err << "无法读取输入文件: " << path << '\n';
    if (status == LoadStatus::UnknownEncoding)
        err << "输入文件的编码无法识别 (可用 UTF-8、GBK 或带 BOM 的 UTF-16): " << path << '\n';
    return status;
}

}  // namespace tavelmark::files
