#include "xlsx/xlsx_export.h"

#include <cerrno>
#include <cstring>

#include <xlsxwriter.h>

#include "files/atomic_file.h"
#include "xlsx/xlsx_formats.h"
#include "xlsx/xlsx_number_texts.h"
#include "xlsx/xlsx_sheet.h"

namespace tavelmark::xlsx {

using model::Sheet, model::Workbook;

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

// libxlsxwriter keeps the system's errno for the failures of its own file
// calls (it prints it, but returns only its code): name it, as the cause.
std::string CloseFailure(lxw_error closed, int cause) {
    std::string message = lxw_strerror(closed);
    const bool fileCall = closed == LXW_ERROR_CREATING_XLSX_FILE || closed == LXW_ERROR_CREATING_TMPFILE ||
                          closed == LXW_ERROR_ZIP_FILE_OPERATION;
    if (fileCall && cause != 0) message += std::string(" (") + std::strerror(cause) + ")";
    return message;
}

// Writes the whole workbook into the file at `path`.
bool WriteXlsxFile(const Workbook& model, const std::string& path, std::string* error) {
    lxw_workbook* workbook = workbook_new(path.c_str());
    if (!workbook) return Fail(error, "无法创建工作簿");
    std::string detail;
    if (!FillWorkbook(workbook, model, &detail)) {
        lxw_workbook_free(workbook);
        return Fail(error, detail);
    }
    errno = 0;
    const lxw_error closed = workbook_close(workbook);
    const int cause = errno;
    if (closed != LXW_NO_ERROR) return Fail(error, CloseFailure(closed, cause));
    return WriteShortestNumberTexts(model, path, error);
}

}  // namespace

bool SaveXlsx(const Workbook& model, const std::string& path, std::string* error) {
    return files::SaveFileAtomically(
        path, [&model](const std::string& temporary, std::string* e) { return WriteXlsxFile(model, temporary, e); },
        error);
}

std::optional<std::string> XlsxBytes(const Workbook& model, std::string* error) {
    return files::WrittenBytes(
        [&model](const std::string& temporary, std::string* e) { return WriteXlsxFile(model, temporary, e); },
        error);
}

}  // namespace tavelmark::xlsx
