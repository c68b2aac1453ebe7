// The character maps of a PDF put back to the report's characters: each
// form a map writes its characters in, and what must stay as it is. The
// faces are this machine's CJK face, which draws 方 and the radical ⽅
// (U+2F45), ～ and 〜 (U+301C) with one glyph each.
#include <QTest>

#include "support/qtest_class.h"
#include "ui/pdf_text_map.h"

using namespace tavelmark;

namespace {

QByteArray Map(const QByteArray& entries) {
    return "stream\n/CIDInit /ProcSet findresource begin\nbegincmap\n" + entries + "endcmap\nend\nendstream\n";
}

}  // namespace

class PdfTextMapTest : public QObject {
    Q_OBJECT
private slots:
    void charactersComeBackInEveryForm_data();
    void charactersComeBackInEveryForm();
};

void PdfTextMapTest::charactersComeBackInEveryForm_data() {
    QTest::addColumn<QString>("drawn");
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("one glyph, one character")
        << "方法" << QByteArray("1 beginbfchar\n<0003> <2F45>\nendbfchar\n")
        << QByteArray("1 beginbfchar\n<0003> <65B9>\nendbfchar\n");
    QTest::newRow("a range with a character each")
        << "方～" << QByteArray("1 beginbfrange\n<0001> <0003> [<6CD5> <2F45> <301C>]\nendbfrange\n")
        << QByteArray("1 beginbfrange\n<0001> <0003> [<6CD5> <65B9> <FF5E>]\nendbfrange\n");
    QTest::newRow("a run of consecutive characters stays")
        << "方" << QByteArray("1 beginbfrange\n<0001> <0005> <2F45>\nendbfrange\n")
        << QByteArray("1 beginbfrange\n<0001> <0005> <2F45>\nendbfrange\n");
    QTest::newRow("a run, then a range with characters")
        << "方" << QByteArray("2 beginbfrange\n<0001> <0005> <0030>\n<0006> <0006> [<2F45>]\nendbfrange\n")
        << QByteArray("2 beginbfrange\n<0001> <0005> <0030>\n<0006> <0006> [<65B9>]\nendbfrange\n");
    QTest::newRow("glyph numbers are not characters")
        << "方" << QByteArray("1 beginbfchar\n<2F45> <0041>\nendbfchar\n")
        << QByteArray("1 beginbfchar\n<2F45> <0041>\nendbfchar\n");
    QTest::newRow("a radical the report holds stays")
        << "⽅" << QByteArray("1 beginbfchar\n<0003> <2F45>\nendbfchar\n")
        << QByteArray("1 beginbfchar\n<0003> <2F45>\nendbfchar\n");
}

void PdfTextMapTest::charactersComeBackInEveryForm() {
    QFETCH(QString, drawn);
    QFETCH(QByteArray, entries);
    QFETCH(QByteArray, expected);
    const std::vector<QRawFont> faces = ui::ReportFaces(model::Workbook{});
    QVERIFY(!faces.empty());
    const QByteArray before = "%PDF-1.4\n" + Map(entries) + "xref\n";
    const QByteArray after = ui::WithReportCharacters(before, drawn, faces);
    QCOMPARE(after, "%PDF-1.4\n" + Map(expected) + "xref\n");
    QCOMPARE(after.size(), before.size());  // every offset of the file still holds
}

TAVELMARK_QTEST_CLASS(PdfTextMapTest)
#include "test_pdf_text_map.moc"
