#pragma once
// The text a PDF reader copies or searches: the characters the report holds.
//
// Qt writes each font's map from glyphs to characters by asking, for every
// glyph it drew, which is the lowest code point the font draws with it. A
// CJK font draws 方 and the Kangxi radical ⽅ (U+2F45) with one glyph, and
// ～ and 〜 (U+301C) with another, so the PDF names the radical and the wave
// dash, and a search for 方法 finds nothing. The report knows which of the
// twins it drew: this puts those back into the maps.
#include <vector>

#include <QByteArray>
#include <QRawFont>
#include <QString>

#include "model/workbook.h"

namespace tavelmark::ui {

// Every character the pages of the workbook show (cell texts, chart titles,
// the page footer's words), each once.
QString ReportCharacters(const model::Workbook& workbook);

// The faces the report's fonts draw with on this machine: for each of the
// workbook's font names, its Latin and its Chinese face.
std::vector<QRawFont> ReportFaces(const model::Workbook& workbook);

// The PDF with each character of its fonts' character maps that the report
// does not hold replaced by the report's character that the same face draws
// with the same glyph. Only the maps change, and only in place (a four-digit
// code for a four-digit code), so every offset of the file stays valid; a
// code inside a run of consecutive codes is left alone (Qt writes runs only
// for five glyphs or more in a row that map to consecutive codes).
QByteArray WithReportCharacters(QByteArray pdf, const QString& drawn, const std::vector<QRawFont>& faces);

// The same, on a PDF file written a moment ago; false when it cannot be
// read or written back.
bool PutReportCharactersInPdf(const QString& path, const QString& drawn, const std::vector<QRawFont>& faces);

}  // namespace tavelmark::ui
