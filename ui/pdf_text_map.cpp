#include "ui/pdf_text_map.h"

#include <optional>
#include <set>

#include <QFile>
#include <QHash>

#include "ui/page_footer.h"
#include "ui/qt_text.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {
namespace {

// The font of the charts' titles and tick labels.
constexpr const char* kChartFontName = "Microsoft Sans Serif";

quint32 GlyphOf(const QRawFont& face, char32_t code) {
    const QList<quint32> glyphs = face.glyphIndexesForString(QString::fromUcs4(&code, 1));
    return glyphs.isEmpty() ? 0 : glyphs.front();
}

// Which drawn character each face draws with a glyph.
class GlyphTwins {
public:
    GlyphTwins(const QString& drawn, const std::vector<QRawFont>& faces) : faces_(faces) {
        for (const char32_t code : drawn.toUcs4()) drawn_.insert(code);
        drawnByGlyph_.resize(faces_.size());
        for (std::size_t i = 0; i < faces_.size(); ++i)
            for (const char32_t code : drawn_)
                if (const quint32 glyph = GlyphOf(faces_[i], code); glyph != 0 && !drawnByGlyph_[i].contains(glyph))
                    drawnByGlyph_[i].insert(glyph, code);
    }

    // The drawn character `code` stands for, when it is not drawn itself.
    std::optional<char32_t> drawnFor(char32_t code) const {
        if (drawn_.count(code)) return std::nullopt;
        for (std::size_t i = 0; i < faces_.size(); ++i) {
            const quint32 glyph = GlyphOf(faces_[i], code);
            if (glyph == 0) continue;
            if (const auto it = drawnByGlyph_[i].constFind(glyph); it != drawnByGlyph_[i].constEnd()) return *it;
        }
        return std::nullopt;
    }

private:
    const std::vector<QRawFont>& faces_;
    std::set<char32_t> drawn_;
    std::vector<QHash<quint32, char32_t>> drawnByGlyph_;
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A four-digit code <XXXX> at `at` (the '<') replaced by the drawn character
// it stands for; other lengths (a pair of surrogates) are left as they are.
void PatchCode(QByteArray& pdf, qsizetype at, const GlyphTwins& twins) {
    if (at + 5 >= pdf.size() || pdf[at + 5] != '>') return;
    char32_t code = 0;
    for (int i = 1; i <= 4; ++i) {
        const int digit = HexValue(pdf[at + i]);
        if (digit < 0) return;
        code = code * 16 + static_cast<char32_t>(digit);
    }
    const std::optional<char32_t> drawn = twins.drawnFor(code);
    if (!drawn || *drawn > 0xFFFF || (*drawn >= 0xD800 && *drawn <= 0xDFFF)) return;
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 4; i >= 1; --i) {
        pdf[at + i] = kDigits[(*drawn >> (4 * (4 - i))) & 0xF];
    }
}

// One character map from "begincmap" to "endcmap": in a bfchar block every
// second code is a character; in a bfrange block a range is either
// "<first> <last> <character>" (a run, left alone) or "<first> <last> [...]"
// with one character per glyph.
void PatchCharacterMap(QByteArray& pdf, qsizetype begin, qsizetype end, const GlyphTwins& twins) {
    enum class Block { None, Chars, Ranges } block = Block::None;
    int codeInEntry = 0;  // codes seen in the current entry, before its array
    bool inArray = false;
    for (qsizetype at = begin; at < end; ++at) {
        const char c = pdf[at];
        if (c == '<') {
            const qsizetype close = pdf.indexOf('>', at);
            if (close < 0 || close > end) return;
            if (block == Block::Chars) {
                if (codeInEntry++ % 2 == 1) PatchCode(pdf, at, twins);
            } else if (block == Block::Ranges) {
                if (inArray) {
                    PatchCode(pdf, at, twins);
                } else if (++codeInEntry == 3) {
                    codeInEntry = 0;  // a run: its codes follow from the first
                }
            }
            at = close;
        } else if (c == '[' && block == Block::Ranges) {
            inArray = true;
        } else if (c == ']' && block == Block::Ranges) {
            inArray = false;
            codeInEntry = 0;
        } else if (c == 'b' || c == 'e') {
            const QByteArray word = pdf.mid(at, 12);
            if (word.startsWith("beginbfchar")) {
                block = Block::Chars;
            } else if (word.startsWith("beginbfrange")) {
                block = Block::Ranges;
            } else if (word.startsWith("endbfchar") || word.startsWith("endbfrange")) {
                block = Block::None;
            } else {
                continue;
            }
            codeInEntry = 0;
            inArray = false;
        }
    }
}

}  // namespace

QString ReportCharacters(const model::Workbook& workbook) {
    std::set<char32_t> codes;
    auto add = [&codes](const QString& text) {
        for (const char32_t code : text.toUcs4()) codes.insert(code);
    };
    for (const model::Sheet& sheet : workbook.sheets) {
        add(ToQString(sheet.name()));
        for (const auto& [cell, value] : sheet.cells().values()) add(ToQString(model::PlainText(value)));
        for (const model::Chart& chart : sheet.charts()) {
            add(ToQString(chart.title));
            add(ToQString(chart.xAxis.title));
            add(ToQString(chart.yAxis.title));
            for (const model::TickLabel& label : chart.xAxis.tickLabels) add(ToQString(label.text));
            for (const model::TickLabel& label : chart.yAxis.tickLabels) add(ToQString(label.text));
        }
    }
    add(PageFooter(1234567890, 1234567890));
    add(QStringLiteral("0123456789.-+E#%"));  // numbers as their formats show them
    QString all;
    for (const char32_t code : codes) all += QString::fromUcs4(&code, 1);
    return all;
}

std::vector<QRawFont> ReportFaces(const model::Workbook& workbook) {
    std::set<std::string> names{kChartFontName};
    for (const model::Sheet& sheet : workbook.sheets) {
        names.insert(sheet.cells().defaultFormat().font.name);
        for (const auto& [cell, format] : sheet.cells().cellFormats()) names.insert(format.font.name);
        for (const auto& [column, format] : sheet.cells().columnFormats()) names.insert(format.font.name);
        for (const auto& block : sheet.cells().rangeFormats()) names.insert(block.format.font.name);
    }
    std::vector<QRawFont> faces;
    for (const std::string& name : names) {
        const QFont font = SheetFont(name, 10);
        for (const auto system : {QFontDatabase::Latin, QFontDatabase::SimplifiedChinese}) {
            QRawFont face = QRawFont::fromFont(font, system);
            if (face.isValid()) faces.push_back(face);
        }
    }
    return faces;
}

QByteArray WithReportCharacters(QByteArray pdf, const QString& drawn, const std::vector<QRawFont>& faces) {
    const GlyphTwins twins(drawn, faces);
    for (qsizetype at = pdf.indexOf("begincmap"); at >= 0; at = pdf.indexOf("begincmap", at)) {
        const qsizetype end = pdf.indexOf("endcmap", at);
        if (end < 0) break;
        PatchCharacterMap(pdf, at, end, twins);
        at = end;
    }
    return pdf;
}

bool PutReportCharactersInPdf(const QString& path, const QString& drawn, const std::vector<QRawFont>& faces) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) return false;
    const QByteArray pdf = file.readAll();
    const QByteArray fixed = WithReportCharacters(pdf, drawn, faces);
    if (fixed == pdf) return true;
    // The same length: written over the old bytes.
    return file.seek(0) && file.write(fixed) == fixed.size() && file.flush();
}

}  // namespace tavelmark::ui
