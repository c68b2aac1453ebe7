#pragma once
// One libxlsxwriter format per distinct cell format of the workbook, made on
// first use; the file's style table stays as small as the report's variety.
#include <vector>

#include <xlsxwriter.h>

#include "model/workbook.h"

namespace tavelmark::xlsx {

class XlsxFormats {
public:
    explicit XlsxFormats(lxw_workbook* workbook) : workbook_(workbook) {}

    // The cell format; nullptr for the untouched default (the file's own default).
    lxw_format* cell(const model::CellFormat& format);
    // Only the font of `format`, raised when `superscript`: a rich-text run.
    lxw_format* run(const model::Font& font, bool superscript);
    // The cell format with its whole text raised (a cell that is one superscript run).
    lxw_format* superscriptCell(const model::CellFormat& format);

private:
    lxw_format* make(const model::CellFormat& format, bool superscript, bool fontOnly);

    struct Made {
        model::CellFormat format;
        bool superscript = false;
        bool fontOnly = false;
        lxw_format* written = nullptr;
    };

    lxw_workbook* workbook_;
    // A report has a few dozen distinct formats at most: a short list
    // searched from the front beats building a key for every cell.
    std::vector<Made> made_;
};

// The spreadsheet's RGB colour as libxlsxwriter takes it (black has its own
// code there, since 0 means "not set").
lxw_color_t ToLxwColour(model::Rgb colour);

}  // namespace tavelmark::xlsx
