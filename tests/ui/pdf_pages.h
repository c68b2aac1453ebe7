#pragma once
// An exported PDF read back as a person's tools read it: poppler's pdftotext
// for its words and where each lies, pdftoppm for the page as a picture (an
// independent reader, not our painter).
#include <algorithm>
#include <cmath>
#include <vector>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace tavelmark::test {

// Without white space, nothing else changed: the PDF's text must hold the
// report's own characters, so that a search for them finds them.
inline QString Comparable(const QString& text) {
    QString plain = text;
    return plain.remove(QRegularExpression(QStringLiteral("\\s")));
}

struct PdfWord {
    QString text;
    QRectF box;  // points, from the page's top-left corner
};

struct PdfPage {
    QSizeF size;  // points
    std::vector<PdfWord> words;
    QString text() const {
        QString all;
        for (const PdfWord& word : words) all += word.text;
        return Comparable(all);
    }
};

inline QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
    return {};
}

// The words of every page with their boxes (pdftotext -bbox writes them as XHTML).
inline std::vector<PdfPage> ReadWords(const QString& pdf, QString* error) {
    const QString html = pdf + QStringLiteral(".html");
    *error = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, html});
    if (!error->isEmpty()) return {};
    QFile file(html);
    file.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression pageOrWord(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PdfPage> pages;
    for (auto it = pageOrWord.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            pages.push_back({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
        } else if (!pages.empty()) {
            QString word = m.captured(7);
            word.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
                .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            const QRectF box(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                             QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()));
            pages.back().words.push_back({word, box});
        }
    }
    return pages;
}

inline QImage FirstPageImage(const QString& pdf, int dotsPerInch, QString* error) {
    const QString stem = pdf + QStringLiteral("-page1");
    *error = RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dotsPerInch),
                                              QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                              QStringLiteral("1"), QStringLiteral("-singlefile"),
                                              QStringLiteral("-png"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

inline const PdfWord* FindWord(const std::vector<PdfPage>& pages, const QString& text) {
    for (const PdfPage& page : pages)
        for (const PdfWord& word : page.words)
            if (Comparable(word.text) == Comparable(text)) return &word;
    return nullptr;
}

// The words of a page's top or bottom line of text.
inline QStringList EdgeLine(const PdfPage& page, bool bottom) {
    double edge = bottom ? 0 : page.size.height();
    for (const PdfWord& word : page.words)
        edge = bottom ? std::max(edge, word.box.bottom()) : std::min(edge, word.box.top());
    QStringList line;
    for (const PdfWord& word : page.words)
        if (std::abs((bottom ? word.box.bottom() : word.box.top()) - edge) < 1.0)
            line << QStringLiteral("%1@%2").arg(word.text).arg(qRound(word.box.left()));
    line.sort();
    return line;
}

// Where the files go: a temporary folder, or the one named by
// REPORT_PAGES_FOLDER for a person to look at them.
class PdfFolder {
public:
    QString filePath(const QString& name) const {
        const QString kept = qEnvironmentVariable("REPORT_PAGES_FOLDER");
        return kept.isEmpty() ? temporary_.filePath(name) : QDir(kept).filePath(name);
    }

private:
    QTemporaryDir temporary_;
};

// "第 2 页 共 3 页", the page's footer, without its blanks.
inline bool IsFooterLine(const QString& text) {
    static const QRegularExpression footer(QStringLiteral("^第\\d+页共\\d+页$"));
    return footer.match(text).hasMatch();
}

// The words on the page's lowest line, left to right: those level with the
// lowest word (a digit's box ends higher than an ideograph's).
inline std::vector<PdfWord> LowestLine(const PdfPage& page) {
    const auto lowest = std::max_element(page.words.begin(), page.words.end(), [](const PdfWord& a, const PdfWord& b) {
        return a.box.bottom() < b.box.bottom();
    });
    std::vector<PdfWord> line;
    if (lowest == page.words.end()) return line;
    for (const PdfWord& word : page.words)
        if (word.box.center().y() >= lowest->box.top() && word.box.center().y() <= lowest->box.bottom())
            line.push_back(word);
    std::sort(line.begin(), line.end(), [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
    return line;
}

inline QString TextOf(const std::vector<PdfWord>& words) {
    QString text;
    for (const PdfWord& word : words) text += word.text;
    return Comparable(text);
}

// The page without its footer line.
inline PdfPage BodyOf(const PdfPage& page) {
    const std::vector<PdfWord> bottom = LowestLine(page);
    if (!IsFooterLine(TextOf(bottom))) return page;
    PdfPage body{page.size, {}};
    for (const PdfWord& word : page.words)
        if (std::none_of(bottom.begin(), bottom.end(), [&word](const PdfWord& b) { return b.box == word.box; }))
            body.words.push_back(word);
    return body;
}

inline bool HavePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

}  // namespace tavelmark::test
