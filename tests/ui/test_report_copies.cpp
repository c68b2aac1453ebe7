// The worked examples' reports taken out of a result window otherwise than
// as pages: the Bliss chart saved as SVG and drawn by a second renderer, and
// 复制为三线表 with and without a selection.
#include <optional>

#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

#include "pdf_pages.h"
#include "support/pixels.h"
#include "support/qtest_class.h"
#include "ui/result_window.h"
#include "ui/sheet_view.h"
#include "ui/workbook_view.h"
#include "worked_reports.h"

using namespace tavelmark;

using test::BlissReport;
using test::CountPixels;
using test::IsDark;
using test::IsRed;
using test::PdfFolder;
using test::RunTool;

class ReportCopiesTest : public QObject {
    Q_OBJECT
private slots:
    void svgChartTextsAreWholeAndFindAChineseFont();
    void threeLineCopyTakesTheSelectedTablesAndTheirNotes();
};

// The Bliss chart saved as SVG: each text is one text element, whole, once.
// Split into runs by script ("回归几率单位" and "(Yr)") and placed by this
// machine's face, a renderer with another face draws the runs over each
// other. Each names a list of faces that ends in a generic family for which
// a renderer finds Chinese glyphs. A second renderer draws it.
void ReportCopiesTest::svgChartTextsAreWholeAndFindAChineseFont() {
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
    QCOMPARE(RunTool(rsvg, {QStringLiteral("--background-color=white"), QStringLiteral("-o"), pngPath, svgPath}), QString());
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
void ReportCopiesTest::threeLineCopyTakesTheSelectedTablesAndTheirNotes() {
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

TAVELMARK_QTEST_CLASS(ReportCopiesTest)
#include "test_report_copies.moc"
