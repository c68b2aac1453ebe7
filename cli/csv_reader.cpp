#include "cli/csv_reader.h"

#if __has_include(<iconv.h>)
#include <iconv.h>
#define TAVELMARK_HAVE_ICONV 1
#endif

namespace tavelmark::cli {

namespace {

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int follow = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (follow < 0 || i + static_cast<std::size_t>(follow) >= s.size()) return false;
        for (int k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80) return false;
        i += static_cast<std::size_t>(follow) + 1;
    }
    return true;
}

std::optional<std::string> GbkToUtf8(std::string_view bytes) {
#ifdef TAVELMARK_HAVE_ICONV
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(bytes);
    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
#else
    (void)bytes;
    return std::nullopt;
#endif
}

}  // namespace

std::optional<std::string> DecodeText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return GbkToUtf8(bytes);
}

char DetectSeparator(std::string_view firstLine) {
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : firstLine) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\t') return '\t';
        if (c == ',') ++commas;
        if (c == ';') ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

CsvTable ParseCsv(std::string_view text) {
    CsvTable table;
    if (text.empty()) return table;
    const char separator = DetectSeparator(text.substr(0, text.find('\n')));
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == separator) {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            row.push_back(std::move(field));
            field.clear();
            table.push_back(std::move(row));
            row.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !row.empty()) {
        row.push_back(std::move(field));
        table.push_back(std::move(row));
    }
    return table;
}

}  // namespace tavelmark::cli
