// The worked examples' reports as the user gets them out of a result window:
// the chart's titles on the screen, and the exported PDF read back with
// poppler's pdftotext and pdftoppm (an independent reader, not our painter).
#include <vector>

#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QTest>

#include "format/number_format.h"
#include "pdf_pages.h"
#include "support/pixels.h"
#include "support/qtest_class.h"
#include "ui/result_window.h"
#include "ui/workbook_view.h"
#include "worked_reports.h"

using namespace tavelmark;

using test::BodyOf;
using test::BlissReport;
using test::Comparable;
using test::CountPixels;
using test::EdgeLine;
using test::FindWord;
using test::FirstPageImage;
using test::HavePoppler;
using test::IsDark;
using test::IsRed;
using test::LowestLine;
using test::PdfFolder;
using test::PdfPage;
using test::PdfWord;
using test::ReadWords;
using test::ReportNamed;
using test::TextOf;

namespace {

// The texts a cell may show: a text as it is, a number through its format
// or, in the General format, at any narrower width.
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

}  // namespace

class ReportPagesTest : public QObject {
    Q_OBJECT
private slots:
    void chartTitlesShowInFull();
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
    QTest::newRow("LDk comparison, extended") << "ldk-compare --extended" << QStringList{"LD50之比", "说明"};
}

// Copied or searched, the PDF gives the characters the report holds: no CJK
// radical or wave dash standing in for the ideograph or tilde that shares
// its glyph, and every label of every sheet as its cell holds it, the long
// notes of the extended sheet too (wrapped within their column, not cut at
// the page's edge).
void ReportPagesTest::pdfTextIsTheReportsCharacters() {
    QFETCH(QString, report);
    QFETCH(QStringList, searched);
    QVERIFY2(HavePoppler(), "pdftotext and pdftoppm (poppler-utils) are needed");
    PdfFolder folder;
    ui::ResultWindow window(ReportNamed(report));
    const QString pdf = folder.filePath(QString(report).replace(QStringLiteral(" --"), QStringLiteral("-")) +
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
