// The worked examples' reports as the user gets them out of a result window:
// the chart's titles on the screen, and the exported PDF read back with
// poppler's pdftotext and pdftoppm (an independent reader, not our painter).
#include <optional>
#include <vector>

#include <QChart>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStatusBar>
#include <QChartView>
#include <QDir>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/run_bliss.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "format/number_format.h"
#include "support/pixels.h"
#include "support/qtest_class.h"
#include "ui/result_window.h"
#include "ui/sheet_view.h"
#include "ui/workbook_view.h"

using namespace tavelmark;

using test::CountPixels;
using test::IsDark;
using test::IsRed;

namespace {

model::Workbook BlissReport(bool extended = false) {
    model::InputGrid grid;
    bliss::WriteBlissTemplate(grid);
    bliss::BlissOptions options;
    options.showIntermediate = options.showFieller = options.showHeterogeneity = true;
    options.drawChart = true;
    options.extended = extended;
    report::RecordingPrompter prompter;
    return *bliss::RunBliss(grid, options, prompter, report::ReportContext{TAVELMARK_RESOURCES})
                .report.workbook;
}

model::Workbook MeansReport(const means::MeansOptions& options) {
    model::InputGrid grid;
    means::WriteMeansTemplate(grid);
    report::RecordingPrompter prompter;  // the outlier question is answered No
    return *means::RunMeans(grid, options, prompter, report::ReportContext{TAVELMARK_RESOURCES}).workbook;
}

model::Workbook RatesReport(rates::RatesOptions options) {
    model::InputGrid grid;
    rates::WriteRatesTemplate(grid);
    report::RecordingPrompter prompter;
    return *rates::RunRates(grid, options, prompter, report::ReportContext{TAVELMARK_RESOURCES}).workbook;
}

// The worked examples: "bliss", "means", "means, every section", and with
// every option and the extended sheet "bliss --all", "means --all", "rates --all".
model::Workbook ReportNamed(const QString& name) {
    if (name == "bliss") return BlissReport();
    if (name == "bliss --all") return BlissReport(true);
    if (name == "means") return MeansReport({});
    if (name == "rates --all") {
        rates::RatesOptions options = rates::RatesOptions::All();
        options.extended = true;
        return RatesReport(options);
    }
    means::MeansOptions options = means::MeansOptions::All();
    options.extended = name == "means --all";
    return MeansReport(options);
}

// Without white space, nothing else changed: the PDF's text must hold the
// report's own characters, so that a search for them finds them.
QString Comparable(const QString& text) {
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

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
    return {};
}

// The words of every page with their boxes (pdftotext -bbox writes them as XHTML).
std::vector<PdfPage> ReadWords(const QString& pdf, QString* error) {
    const QString html = pdf + QStringLiteral(".html");
    *error = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, html});
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

QImage FirstPageImage(const QString& pdf, int dotsPerInch, QString* error) {
    const QString stem = pdf + QStringLiteral("-page1");
    *error = Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dotsPerInch),
                                              QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                              QStringLiteral("1"), QStringLiteral("-singlefile"),
                                              QStringLiteral("-png"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

const PdfWord* FindWord(const std::vector<PdfPage>& pages, const QString& text) {
    for (const PdfPage& page : pages)
        for (const PdfWord& word : page.words)
            if (Comparable(word.text) == Comparable(text)) return &word;
    return nullptr;
}

// Where a page's lowest word ends.
double EdgeBottom(const PdfPage& page) {
    double edge = 0;
    for (const PdfWord& word : page.words) edge = std::max(edge, word.box.bottom());
    return edge;
}

// The words of a page's top or bottom line of text.
QStringList EdgeLine(const PdfPage& page, bool bottom) {
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

// Where the PDFs go: a temporary folder, or the one named by
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

// The texts a cell may show: a text as it is, a number through its format
// or, in the General format, at any narrower width; ### for a number with
// no room.
QStringList ShownForms(const model::Sheet& sheet, model::CellRef cell) {
    const model::ReportValue& value = sheet.value(cell);
    const auto* number = std::get_if<double>(&value);
    if (!number) return {Comparable(QString::fromStdString(model::PlainText(value)))};
    const std::string& format = sheet.format(cell).numberFormat;
    QStringList forms{Comparable(QString::fromStdString(format::FormatNumber(*number, format)))};
    if (format::IsGeneralFormat(format))
        for (int width = 1; width <= format::kStandardGeneralWidth; ++width)
            forms << QString::fromStdString(format::GeneralNumberText(*number, width));
    forms.removeAll(QString());
    return forms;
}

// "第 2 页 共 3 页", the page's footer.
bool IsFooterLine(const QStringList& words) {
    static const QRegularExpression footer(QStringLiteral("^第\\d+页共\\d+页$"));
    return footer.match(words.join(QString())).hasMatch();
}

// The words on the page's lowest line, left to right: those level with the
// lowest word (a digit's box ends higher than an ideograph's).
std::vector<PdfWord> LowestLine(const PdfPage& page) {
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

QString TextOf(const std::vector<PdfWord>& words) {
    QString text;
    for (const PdfWord& word : words) text += word.text;
    return Comparable(text);
}

// The page without its footer line.
PdfPage BodyOf(const PdfPage& page) {
    const std::vector<PdfWord> bottom = LowestLine(page);
    if (!IsFooterLine({TextOf(bottom)})) return page;
    PdfPage body{page.size, {}};
    for (const PdfWord& word : page.words)
        if (std::none_of(bottom.begin(), bottom.end(), [&word](const PdfWord& b) { return b.box == word.box; }))
            body.words.push_back(word);
    return body;
}

bool HavePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

}  // namespace

class ReportPagesTest : public QObject {
    Q_OBJECT
private slots:
    void chartTitlesShowInFull();
    void svgChartTextsAreWholeAndFindAChineseFont();
    void threeLineCopyTakesTheSelectedTablesAndTheirNotes();
    void pdfHoldsTheFirstTableReadably_data();
    void pdfHoldsTheFirstTableReadably();
    void longReportBreaksBetweenRows();
    void pagesKeepTheirMarginsAndAreNumbered_data();
    void pagesKeepTheirMarginsAndAreNumbered();
    void pdfTextIsTheReportsCharacters_data();
    void pdfTextIsTheReportsCharacters();
    void wordsOfNeighbouringCellsStaySeparate_data();
    void wordsOfNeighbouringCellsStaySeparate();
};

void ReportPagesTest::chartTitlesShowInFull() {
    ui::ResultWindow window(BlissReport());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.view()->chartViews().size(), std::size_t{1});
    QChartView* view = window.view()->chartViews().front();
    QStringList shown;
    for (QGraphicsItem* item : view->scene()->items()) {
        const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
        if (!text || !text->isVisible()) continue;
        shown << text->toPlainText();
        // Whatever the chart shows lies inside the chart.
        QVERIFY2(view->viewport()->rect().contains(view->mapFromScene(text->sceneBoundingRect()).boundingRect()),
                 qPrintable(text->toPlainText()));
    }
    for (const char* title : {"Yr-X", "对数剂量(X)", "回归几率单位(Yr)"})
        QVERIFY2(shown.contains(QString::fromUtf8(title)), qPrintable(shown.join(QStringLiteral(" | "))));
}

// The Bliss chart saved as SVG: each text is one text element, whole, once.
// Split into runs by script ("回归几率单位" and "(Yr)") and placed by this
// machine's face, a renderer with another face draws the runs over each
// other. Each names a list of faces that ends in a generic family for which
// a renderer finds Chinese glyphs. A second renderer draws it.
void ReportPagesTest::svgChartTextsAreWholeAndFindAChineseFont() {
    ui::ResultWindow window(BlissReport());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QChartView* view = window.view()->chartViews().front();
    PdfFolder folder;
    const QString svgPath = folder.filePath(QStringLiteral("bliss-chart.svg"));
    QVERIFY(window.view()->sheetView()->saveChartPicture(view, ui::ChartPictureKind::Svg, svgPath));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("已保存到 %1").arg(QDir::toNativeSeparators(svgPath)));
    QFile file(svgPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());

    static const QRegularExpression textElement(QStringLiteral("<text\\b([^>]*)>([^<]*)</text>"));
    static const QRegularExpression family(QStringLiteral("font-family=\"([^\"]*)\""));
    QStringList texts;
    for (auto it = textElement.globalMatch(svg); it.hasNext();) {
        const auto m = it.next();
        texts << m.captured(2);
        const QString families = family.match(m.captured(1)).captured(1);
        QVERIFY2(families.endsWith(QStringLiteral(", sans-serif")), qPrintable(families));
        QVERIFY2(families.contains(QStringLiteral("Noto Sans CJK SC")), qPrintable(families));
    }
    QStringList shown;
    for (QGraphicsItem* item : view->scene()->items())
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item); text && text->isVisible())
            shown << text->toPlainText();
    for (const char* title : {"Yr-X", "对数剂量(X)", "回归几率单位(Yr)"})
        QVERIFY2(texts.count(QString::fromUtf8(title)) == 1, title);
    shown.sort();
    texts.sort();
    QCOMPARE(texts, shown);

    const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    QVERIFY2(!rsvg.isEmpty(), "rsvg-convert (librsvg2-bin) is needed");
    const QString pngPath = folder.filePath(QStringLiteral("bliss-chart-rsvg.png"));
    QCOMPARE(Run(rsvg, {QStringLiteral("--background-color=white"), QStringLiteral("-o"), pngPath, svgPath}), QString());
    const QImage drawn(pngPath);
    QVERIFY(!drawn.isNull());
    QVERIFY(CountPixels(drawn, drawn.rect(), IsRed) > 50);  // the fitted line
    // The title's glyphs in the top fifth, the y axis title's in the left tenth.
    QVERIFY(CountPixels(drawn, QRect(0, 0, drawn.width(), drawn.height() / 5), IsDark) > 30);
    QVERIFY(CountPixels(drawn, QRect(0, 0, drawn.width() / 10, drawn.height()), IsDark) > 30);
}

// 复制为三线表 with cells selected copies the tables they touch, each with
// the note under it; without a selection every table; a selection that
// touches none leaves the clipboard as it was and says so.
void ReportPagesTest::threeLineCopyTakesTheSelectedTablesAndTheirNotes() {
    ui::ResultWindow window(BlissReport());
    const model::Sheet& sheet = window.workbook().activeSheet();
    int feiller = 0;
    for (const auto& [cell, value] : sheet.cells().values())
        if (model::PlainText(value) == "Feiller氏Sx50校正") feiller = cell.row;
    QVERIFY(feiller > 0);
    struct Case {
        const char* what;
        std::optional<ui::SheetSelection> selection;
        QStringList copied, left;
    };
    const Case cases[] = {
        {"a cell of the Feiller table", ui::SheetSelection{{feiller + 2, 3}, {feiller + 2, 3}},
         {"Feiller氏Sx50校正", "14.192381", "注:g值＝ .0852"}, {"中间结果", "异质性的全面校正", "LD50的平均可信限(ML95)"}},
        {"nothing selected", std::nullopt,
         {"LD50的平均可信限(ML95)", "中间结果", "Feiller氏Sx50校正", "注:g值＝ .0852", "异质性的全面校正", "注:χ2值＝ 3.4078"}, {}},
    };
    for (const Case& c : cases) {
        window.view()->sheetView()->setSelection(c.selection);
        window.copyThreeLineAction()->trigger();
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        for (const QString& text : c.copied) {
            QVERIFY2(copied->html().contains(text), qPrintable(QString::fromUtf8(c.what) + QStringLiteral(": ") + text));
            QVERIFY2(copied->text().contains(text), qPrintable(QString::fromUtf8(c.what) + QStringLiteral(": ") + text));
        }
        for (const QString& text : c.left)
            QVERIFY2(!copied->html().contains(text), qPrintable(QString::fromUtf8(c.what) + QStringLiteral(": ") + text));
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    window.view()->sheetView()->setSelection(ui::SheetSelection{{1, 1}, {2, 1}});  // the report's title
    window.copyThreeLineAction()->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("所选单元格中没有表格"));
}

void ReportPagesTest::pdfHoldsTheFirstTableReadably_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("sample");  // a label whose box is measured
    QTest::addColumn<bool>("chart");
    // The labels of each report's first table, as the report writers put them.
    QTest::newRow("Bliss with its chart")
        << "bliss"
        << QStringList{"计算结果", "(本底死亡率为:0%)", "项目", "数据", "LD50", "LD50的平均可信限(ML95)",
                       "LD50的95%可信限(L95)", "LD50的平均可信限率(L95%)", "斜率(b)", "Sb", "X50", "Sx50",
                       "回归方程:Y(几率单位)＝", "14.1924",
                       // the chart's titles
                       "Yr-X", "对数剂量(X)", "回归几率单位(Yr)"}
        << "LD50" << true;
    QTest::newRow("two-group means")
        << "means"
        << QStringList{"计算结果", "原始数据", "组  别", "T组", "R组", "均数", "标准差", "例数",
                       "显著性检验统计量", "P值(双侧)", "P值(单侧)", "统计结论(双侧)", "专业结论(双侧)",
                       "置信度α", "把握度(1-β)", "差异无统计意义"}
        << "均数" << false;
}

void ReportPagesTest::pdfHoldsTheFirstTableReadably() {
    QFETCH(QString, report);
    QFETCH(QStringList, labels);
    QFETCH(QString, sample);
    QFETCH(bool, chart);
    QVERIFY2(HavePoppler(), "pdftotext and pdftoppm (poppler-utils) are needed");
    PdfFolder folder;
    ui::ResultWindow window(ReportNamed(report));
    const QString pdf = folder.filePath(report + QStringLiteral(".pdf"));
    QVERIFY(window.exportPdfTo(pdf));
    QString error;
    const std::vector<PdfPage> pages = ReadWords(pdf, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!pages.empty());
    const PdfPage& first = pages.front();
    const QString text = first.text();
    for (const QString& label : labels)
        QVERIFY2(text.contains(Comparable(label)), qPrintable(label + QStringLiteral(" not on page 1")));
    // Every word lies on its page.
    for (const PdfPage& page : pages)
        for (const PdfWord& word : page.words)
            QVERIFY2(QRectF(QPointF(0, 0), page.size).contains(word.box), qPrintable(word.text));
    // The report's 10-point text, scaled to the page's width, stays about
    // that size: not many times too large, not too small to read.
    const PdfWord* measured = FindWord(pages, sample);
    QVERIFY(measured);
    QVERIFY2(measured->box.height() > 6 && measured->box.height() < 16,
             qPrintable(QString::number(measured->box.height())));

    const int dotsPerInch = 72;  // one pixel a point
    const QImage image = FirstPageImage(pdf, dotsPerInch, &error);
    QVERIFY2(error.isEmpty() && !image.isNull(), qPrintable(error));
    QCOMPARE(image.width(), qRound(first.size.width()));
    // The text is painted where the text layer says, and nothing runs off
    // the page's right edge.
    QVERIFY(CountPixels(image, measured->box.toAlignedRect(), IsDark) > 10);
    QCOMPARE(CountPixels(image, QRect(image.width() - 4, 0, 4, image.height()), IsDark), 0);
    if (chart)  // the fitted line
        QVERIFY(CountPixels(image, image.rect(), IsRed) > 50);
}

void ReportPagesTest::longReportBreaksBetweenRows() {
    QVERIFY2(HavePoppler(), "pdftotext and pdftoppm (poppler-utils) are needed");
    PdfFolder folder;
    ui::ResultWindow window(ReportNamed(QStringLiteral("means, every section")));
    const QString pdf = folder.filePath(QStringLiteral("long.pdf"));
    QVERIFY(window.exportPdfTo(pdf));
    QString error;
    const std::vector<PdfPage> pages = ReadWords(pdf, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(pages.size() >= 2);
    // A row cut by a page break would show its halves at the foot of one page
    // and the head of the next.
    for (std::size_t i = 0; i + 1 < pages.size(); ++i) {
        QVERIFY(!BodyOf(pages[i]).words.empty());
        QVERIFY(EdgeLine(BodyOf(pages[i]), true) != EdgeLine(pages[i + 1], false));
    }
    // Each page holds whole rows: its words stay clear of the page edges.
    for (const PdfPage& page : pages)
        for (const PdfWord& word : page.words)
            QVERIFY2(word.box.top() > 10 && word.box.bottom() < page.size.height() - 10, qPrintable(word.text));
    // Nothing is lost between the pages, nor printed twice.
    QString all;
    for (const PdfPage& page : pages) all += page.text();
    for (const auto& [cell, value] : window.workbook().activeSheet().cells().values()) {
        const QString text = Comparable(QString::fromStdString(model::PlainText(value)));
        if (std::holds_alternative<std::string>(value))
            QVERIFY2(all.contains(text), qPrintable(text));
    }
    QCOMPARE(all.count(QStringLiteral("方法推荐")), 1);
}

void ReportPagesTest::pagesKeepTheirMarginsAndAreNumbered_data() {
    QTest::addColumn<QString>("report");
    QTest::newRow("two-group means, every section: two pages") << "means, every section";
    QTest::newRow("Bliss, every option: a landscape sheet after the first") << "bliss --all";
    QTest::newRow("two-group rates, every item") << "rates --all";
}

// Nothing is printed within 10 mm of the paper's edge, and each page ends
// with "第 n 页 共 m 页", centred, counting the pages of every sheet.
void ReportPagesTest::pagesKeepTheirMarginsAndAreNumbered() {
    QFETCH(QString, report);
    QVERIFY2(HavePoppler(), "pdftotext and pdftoppm (poppler-utils) are needed");
    PdfFolder folder;
    ui::ResultWindow window(ReportNamed(report));
    const QString pdf = folder.filePath(QString(report).replace(u' ', u'-').remove(u',') + QStringLiteral("-pages.pdf"));
    QVERIFY(window.exportPdfTo(pdf));
    QString error;
    const std::vector<PdfPage> pages = ReadWords(pdf, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!pages.empty());
    constexpr double kMargin = 10 / 25.4 * 72;  // 10 mm in points
    for (std::size_t n = 0; n < pages.size(); ++n) {
        const PdfPage& page = pages[n];
        const QRectF inside = QRectF(QPointF(0, 0), page.size).adjusted(kMargin, kMargin, -kMargin, -kMargin);
        for (const PdfWord& word : page.words)
            QVERIFY2(inside.contains(word.box), qPrintable(QStringLiteral("%1 on page %2").arg(word.text).arg(n + 1)));
        const std::vector<PdfWord> footer = LowestLine(page);
        QCOMPARE(TextOf(footer), QStringLiteral("第%1页共%2页").arg(n + 1).arg(pages.size()));
        const double middle = (footer.front().box.left() + footer.back().box.right()) / 2;
        QVERIFY2(std::abs(middle - page.size.width() / 2) < 3, qPrintable(QString::number(middle)));
    }
    // Rules and charts keep the margins too, not only the text.
    const QImage image = FirstPageImage(pdf, 72, &error);
    QVERIFY2(error.isEmpty() && !image.isNull(), qPrintable(error));
    const int m = static_cast<int>(kMargin) - 1;
    for (const QRect& strip : {QRect(0, 0, image.width(), m), QRect(0, image.height() - m, image.width(), m),
                               QRect(0, 0, m, image.height()), QRect(image.width() - m, 0, m, image.height())})
        QCOMPARE(CountPixels(image, strip, IsDark), 0);
}

void ReportPagesTest::pdfTextIsTheReportsCharacters_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("searched");  // what a reader looks for
    QTest::newRow("Bliss, every option") << "bliss --all" << QStringList{"项目", "方法", "最大似然", "回归几率单位(Yr)"};
    QTest::newRow("two-group means, every section") << "means --all" << QStringList{"方法推荐", "差异无统计意义", "最大值"};
    QTest::newRow("two-group rates, every item") << "rates --all" << QStringList{"无统计意义", "方法", "～"};
}

// Copied or searched, the PDF gives the characters the report holds: no CJK
// radical or wave dash standing in for the ideograph or tilde that shares
// its glyph, and every label of every sheet as its cell holds it.
void ReportPagesTest::pdfTextIsTheReportsCharacters() {
    QFETCH(QString, report);
    QFETCH(QStringList, searched);
    QVERIFY2(HavePoppler(), "pdftotext and pdftoppm (poppler-utils) are needed");
    PdfFolder folder;
    ui::ResultWindow window(ReportNamed(report));
    const QString pdf = folder.filePath(QString(report).replace(QStringLiteral(" --all"), QStringLiteral("-all")) +
                                        QStringLiteral(".pdf"));
    QVERIFY(window.exportPdfTo(pdf));
    QString error;
    const std::vector<PdfPage> pages = ReadWords(pdf, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QString all;
    for (const PdfPage& page : pages) all += page.text();
    for (const QString& word : searched) QVERIFY2(all.contains(word), qPrintable(word));
    for (const char32_t code : all.toUcs4())
        QVERIFY2(!(code >= 0x2E80 && code <= 0x2FDF) && code != 0x301C,
                 qPrintable(QStringLiteral("U+%1 in the text").arg(uint(code), 4, 16, QLatin1Char('0'))));
    for (const model::Sheet& sheet : window.workbook().sheets)
        for (const auto& [cell, value] : sheet.cells().values()) {
            if (std::holds_alternative<double>(value)) continue;
            const QString label = Comparable(QString::fromStdString(model::PlainText(value)));
            QVERIFY2(all.contains(label), qPrintable(label));
        }
}

void ReportPagesTest::wordsOfNeighbouringCellsStaySeparate_data() {
    QTest::addColumn<QString>("report");
    QTest::newRow("Bliss, every option") << "bliss --all";
    QTest::newRow("two-group means, every section") << "means --all";
    QTest::newRow("two-group rates, every item") << "rates --all";
}

// Numbers in the General format show as many digits as their cell has room
// for, and a text too long for its cell stops at the next one that holds
// something: read back from the PDF, no word runs from one cell into the
// next ("36.9184057334.99402318"), and each General number is there as one
// of the forms a spreadsheet would show, rounded, never cut.
void ReportPagesTest::wordsOfNeighbouringCellsStaySeparate() {
    QFETCH(QString, report);
    QVERIFY2(HavePoppler(), "pdftotext and pdftoppm (poppler-utils) are needed");
    model::Workbook workbook = ReportNamed(report);
    // Only the cells: tick labels are no cells' texts.
    for (model::Sheet& sheet : workbook.sheets) sheet.charts().clear();
    PdfFolder folder;
    ui::ResultWindow window(workbook);
    const QString pdf = folder.filePath(QString(report).replace(QStringLiteral(" --all"), QStringLiteral("-all")) +
                                        QStringLiteral("-cells.pdf"));
    QVERIFY(window.exportPdfTo(pdf));
    QString error;
    const std::vector<PdfPage> pages = ReadWords(pdf, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    QStringList forms;
    std::vector<QStringList> generalNumbers;
    for (const model::Sheet& sheet : workbook.sheets)
        for (const auto& [cell, value] : sheet.cells().values()) {
            const QStringList shown = ShownForms(sheet, cell);
            forms << shown;
            if (std::holds_alternative<double>(value) && format::IsGeneralFormat(sheet.format(cell).numberFormat))
                generalNumbers.push_back(shown);
        }
    QSet<QString> words;
    for (const PdfPage& page : pages) {
        for (const PdfWord& word : BodyOf(page).words) {
            const QString text = Comparable(word.text);
            words.insert(text);
            const bool inOneCell = std::any_of(forms.begin(), forms.end(), [&text](const QString& form) {
                return form.contains(text);
            });
            QVERIFY2(inOneCell || text.count(u'#') == text.size(), qPrintable(word.text + QStringLiteral(" spans two cells")));
        }
    }
    for (const QStringList& shown : generalNumbers)
        QVERIFY2(std::any_of(shown.begin(), shown.end(), [&words](const QString& form) { return words.contains(form); }),
                 qPrintable(shown.join(QStringLiteral(" | "))));
}

TAVELMARK_QTEST_CLASS(ReportPagesTest)
#include "test_report_pages.moc"
