#include "xlsx/xlsx_drawing_links.h"

#include <cctype>
#include <string_view>

namespace tavelmark::xlsx {

namespace {
constexpr std::string_view kDrawingTarget = "../drawings/drawing";
}

bool DrawingLinksNeedRepair(const model::Workbook& model) {
    bool backgroundWithoutDrawing = false;
    for (const model::Sheet& sheet : model.sheets) {
        if (!sheet.charts().empty()) {
            if (backgroundWithoutDrawing) return true;
        } else if (!sheet.backgroundPicture().empty()) {
            backgroundWithoutDrawing = true;
        }
    }
    return false;
}

bool LinksDrawing(const std::string& relsXml) { return relsXml.find(kDrawingTarget) != std::string::npos; }

std::optional<std::string> WithDrawingNumber(const std::string& relsXml, int drawingNumber) {
    const std::size_t start = relsXml.find(kDrawingTarget);
    if (start == std::string::npos) return std::nullopt;
    const std::size_t digits = start + kDrawingTarget.size();
    std::size_t end = digits;
    while (end < relsXml.size() && std::isdigit(static_cast<unsigned char>(relsXml[end]))) ++end;
    const std::string wanted = std::to_string(drawingNumber);
    if (relsXml.compare(digits, end - digits, wanted) == 0) return std::nullopt;
    std::string mended = relsXml;
    mended.replace(digits, end - digits, wanted);
    return mended;
}

}  // namespace tavelmark::xlsx
