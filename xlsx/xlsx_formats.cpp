#include "xlsx/xlsx_formats.h"

namespace tavelmark::xlsx {

using model::BorderWeight, model::CellFormat, model::Font, model::HAlign, model::ReadingOrder,
    model::Rgb, model::VAlign;

namespace {

std::uint8_t HorizontalCode(HAlign a) {
    switch (a) {
    case HAlign::General: return LXW_ALIGN_NONE;
    case HAlign::Left: return LXW_ALIGN_LEFT;
    case HAlign::Center: return LXW_ALIGN_CENTER;
    case HAlign::Right: return LXW_ALIGN_RIGHT;
    case HAlign::CenterAcrossSelection: return LXW_ALIGN_CENTER_ACROSS;
    }
    return LXW_ALIGN_NONE;
}

std::uint8_t VerticalCode(VAlign a) {
    switch (a) {
    case VAlign::Bottom: return LXW_ALIGN_VERTICAL_BOTTOM;
    case VAlign::Center: return LXW_ALIGN_VERTICAL_CENTER;
    case VAlign::Top: return LXW_ALIGN_VERTICAL_TOP;
    }
    return LXW_ALIGN_VERTICAL_BOTTOM;
}

std::uint8_t ReadingOrderCode(ReadingOrder o) {
    switch (o) {
    case ReadingOrder::Context: return 0;
    case ReadingOrder::LeftToRight: return 1;
    case ReadingOrder::RightToLeft: return 2;
    }
    return 0;
}

}  // namespace

lxw_color_t ToLxwColour(Rgb c) {
    const lxw_color_t rgb = (static_cast<lxw_color_t>(c.red) << 16) |
                            (static_cast<lxw_color_t>(c.green) << 8) | c.blue;
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

lxw_format* XlsxFormats::cell(const CellFormat& format) {
    if (format == CellFormat{}) return nullptr;
    return make(format, false, false);
}

lxw_format* XlsxFormats::run(const Font& font, bool superscript) {
    CellFormat f;
    f.font = font;
    return make(f, superscript, true);
}

lxw_format* XlsxFormats::superscriptCell(const CellFormat& format) {
    return make(format, true, false);
}

lxw_format* XlsxFormats::make(const CellFormat& f, bool superscript, bool fontOnly) {
    for (const Made& m : made_)
        if (m.superscript == superscript && m.fontOnly == fontOnly && m.format == f) return m.written;

    lxw_format* x = workbook_add_format(workbook_);
    format_set_font_name(x, f.font.name.c_str());
    format_set_font_size(x, f.font.size);
    // Black stays "automatic", which shows black and keeps the file plain.
    if (f.font.colour != Rgb{}) format_set_font_color(x, ToLxwColour(f.font.colour));
    if (superscript) format_set_font_script(x, LXW_FONT_SUPERSCRIPT);
    if (!fontOnly) {
        if (f.horizontal != HAlign::General) format_set_align(x, HorizontalCode(f.horizontal));
        if (f.vertical != VAlign::Bottom) format_set_align(x, VerticalCode(f.vertical));
        if (f.readingOrder != ReadingOrder::Context)
            format_set_reading_order(x, ReadingOrderCode(f.readingOrder));
        if (!f.numberFormat.empty() && f.numberFormat != "General")
            format_set_num_format(x, f.numberFormat.c_str());
        if (f.bottomBorder == BorderWeight::Thin) format_set_bottom(x, LXW_BORDER_THIN);
        if (f.bottomBorder == BorderWeight::Medium) format_set_bottom(x, LXW_BORDER_MEDIUM);
        if (f.wrapText) format_set_text_wrap(x);
    }
    made_.push_back({f, superscript, fontOnly, x});
    return x;
}

}  // namespace tavelmark::xlsx
