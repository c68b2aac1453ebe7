#include "hosts/xlsx_export.h"

#include <filesystem>
#include <system_error>

#include <xlsxwriter.h>

#include "hosts/xlsx_files.h"
#include "hosts/xlsx_formats.h"
#include "hosts/xlsx_number_texts.h"
#include "hosts/xlsx_sheet.h"

namespace tavelmark {

namespace {

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

// Fills the library's workbook; false with *error when the model cannot be
// written (a sheet name the file format refuses, an over-long text...).
bool FillWorkbook(lxw_workbook* workbook, const Workbook& model, std::string* error) {
    if (model.sheets.empty()) return Fail(error, "工作簿中没有工作表");
    XlsxFormats formats(workbook);
    bool first = true;
    for (const Sheet& sheet : model.sheets) {
        const lxw_error nameCheck = workbook_validate_sheet_name(workbook, sheet.name().c_str());
        if (nameCheck != LXW_NO_ERROR)
            return Fail(error, "工作表名称无效: \"" + sheet.name() + "\" (" + lxw_strerror(nameCheck) + ")");
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name().c_str());
        if (!worksheet) return Fail(error, "无法添加工作表 \"" + sheet.name() + "\"");
        std::string detail;
        if (!WriteXlsxSheet(workbook, worksheet, formats, sheet, &detail))
            return Fail(error, "无法写入工作表内容: " + detail);
        if (first) worksheet_activate(worksheet);
        first = false;
    }
    return true;
}

}  // namespace

// The file is written beside its destination under a temporary name and
// renamed into place only when complete, so a failed save never leaves a
// truncated workbook or destroys an earlier file of that name.
bool SaveXlsx(const Workbook& model, const std::string& path, std::string* error) {
    const std::string partial = path + ".partial";
    lxw_workbook* workbook = workbook_new(partial.c_str());
    if (!workbook) return Fail(error, "无法创建工作簿: " + path);

    std::string detail;
    if (!FillWorkbook(workbook, model, &detail)) {
        lxw_workbook_free(workbook);
        return Fail(error, "无法保存文件 \"" + path + "\": " + detail);
    }
    const lxw_error closed = workbook_close(workbook);
    std::error_code ec;
    if (closed != LXW_NO_ERROR) {
        std::filesystem::remove(Utf8Path(partial), ec);
        return Fail(error, "无法保存文件 \"" + path + "\": " + lxw_strerror(closed));
    }
    if (!WriteShortestNumberTexts(model, partial, &detail)) {
        std::filesystem::remove(Utf8Path(partial), ec);
        return Fail(error, "无法保存文件 \"" + path + "\": " + detail);
    }
    std::filesystem::rename(Utf8Path(partial), Utf8Path(path), ec);
    if (ec) {
        std::filesystem::remove(Utf8Path(partial), ec);
        return Fail(error, "无法保存文件 \"" + path + "\": " + ec.message());
    }
    return true;
}

}  // namespace tavelmark
