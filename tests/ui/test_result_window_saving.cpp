// The result window's files: a failed save says why in its box and leaves
// nothing behind; "用电子表格程序打开" tells the user where the copy is when
// no program could open it.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "support/box_catcher.h"
#include "support/qtest_class.h"
#include "ui/result_window.h"

using namespace tavelmark;
using tavelmark::test::BoxCatcher;

namespace {

model::Workbook OneCellReport() {
    model::Workbook book;
    book.activeSheet().setValue("A2", std::string("LDk两两对比计算结果"));
    return book;
}

}  // namespace

class ResultWindowSavingTest : public QObject {
    Q_OBJECT
private slots:
    void failedSaveNamesTheCause_data();
    void failedSaveNamesTheCause();
    void openingWithoutAProgramSaysWhereTheCopyIs();
    void openingWithAProgramShowsNoBox();
    void dialogsSuggestTheCaptionAndTheDate_data();
    void dialogsSuggestTheCaptionAndTheDate();
    void twoWindowsOfOneMomentHaveTwoTitles();
};

void ResultWindowSavingTest::failedSaveNamesTheCause_data() {
    QTest::addColumn<QString>("target");  // "%1" is a fresh folder
    QTest::addColumn<QString>("cause");
    // Root may write anywhere by mode bits, so these fail for everyone.
    QTest::newRow("under a regular file") << "%1/plain.txt/report.xlsx" << QString::fromLocal8Bit(std::strerror(ENOTDIR));
    QTest::newRow("missing folder") << "%1/gone/report.xlsx" << QString::fromLocal8Bit(std::strerror(ENOENT));
    QTest::newRow("a folder") << "%1/folder.xlsx" << QStringLiteral("不是普通文件");
    // For root a private copy: a broken save run as root would replace the real /dev/null.
    QTest::newRow("the null device") << (geteuid() == 0 ? "%1/null" : "/dev/null") << QStringLiteral("不是普通文件");
}

void ResultWindowSavingTest::failedSaveNamesTheCause() {
    QFETCH(QString, target);
    QFETCH(QString, cause);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile plain(folder.filePath(QStringLiteral("plain.txt")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder.xlsx")));
    if (geteuid() == 0)
        QCOMPARE(mknod(QFile::encodeName(folder.filePath(QStringLiteral("null"))).constData(), S_IFCHR | 0666,
                       makedev(1, 3)),
                 0);
    target = target.arg(folder.path());
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    ui::ResultWindow window(OneCellReport());
    BoxCatcher catcher;
    QVERIFY(!window.saveTo(target));

    QCOMPARE(catcher.boxes.size(), std::size_t{1});
    QCOMPARE(catcher.boxes[0].title, QStringLiteral("保存失败"));
    QCOMPARE(catcher.boxes[0].icon, QMessageBox::Critical);
    const QString text = catcher.boxes[0].text;
    QVERIFY2(text.contains(target) && text.contains(cause) && !text.contains(QStringLiteral("Success")),
             qPrintable(text));
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
}

void ResultWindowSavingTest::openingWithoutAProgramSaysWhereTheCopyIs() {
    ui::ResultWindow window(OneCellReport());
    QString handed;
    window.setFileOpener([&](const QString& path) {
        handed = path;
        return false;
    });
    BoxCatcher catcher;
    window.openExternallyAction()->trigger();

    QVERIFY(!handed.isEmpty());
    QFile copy(handed);
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.read(2), QByteArray("PK"));  // the whole workbook is there for the user
    QCOMPARE(catcher.boxes.size(), std::size_t{1});
    QCOMPARE(catcher.boxes[0].title, QStringLiteral("打开失败"));
    QCOMPARE(catcher.boxes[0].icon, QMessageBox::Warning);
    QVERIFY2(catcher.boxes[0].text.contains(QStringLiteral("没有能打开 .xlsx 文件的电子表格程序")) &&
                 catcher.boxes[0].text.contains(QDir::toNativeSeparators(handed)),
             qPrintable(catcher.boxes[0].text));
    QVERIFY(QFileInfo(handed).dir().removeRecursively());
}

void ResultWindowSavingTest::openingWithAProgramShowsNoBox() {
    ui::ResultWindow window(OneCellReport());
    QString handed;
    window.setFileOpener([&](const QString& path) {
        handed = path;
        return QFileInfo(path).size() > 0;  // the program finds the file complete
    });
    BoxCatcher catcher;
    window.openExternallyAction()->trigger();
    QTest::qWait(100);  // a box would be caught within this time

    QVERIFY(QFileInfo(handed).size() > 0);
    QVERIFY(catcher.boxes.empty());
    QVERIFY(QFileInfo(handed).dir().removeRecursively());
}

void ResultWindowSavingTest::dialogsSuggestTheCaptionAndTheDate_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("另存为...") << "xlsx" << ".xlsx";
    QTest::newRow("导出为PDF...") << "pdf" << ".pdf";
}

// The save dialogs offer "LDk两两对比计算结果 2024-05-06.xlsx" rather than
// "Book1.xlsx", and after the save the status bar says where the file went.
void ResultWindowSavingTest::dialogsSuggestTheCaptionAndTheDate() {
    QFETCH(QString, how);
    QFETCH(QString, suffix);
    QTemporaryDir folder;
    ui::ResultWindow window(OneCellReport());
    QString suggested;
    const QString chosen = folder.filePath(QStringLiteral("报表"));  // the suffix is added
    window.setSaveChooser([&](const QString&, const QString& suggestion, const QString&) {
        suggested = suggestion;
        return chosen;
    });
    (how == "xlsx" ? window.saveAsAction() : window.exportPdfAction())->trigger();
    QCOMPARE(QFileInfo(suggested).fileName(),
             QStringLiteral("LDk两两对比计算结果 %1%2").arg(QDate::currentDate().toString(Qt::ISODate), suffix));
    QVERIFY(QFileInfo(chosen + suffix).size() > 0);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("已保存到 %1").arg(QDir::toNativeSeparators(chosen + suffix)));

    // A caption with characters no file name may hold.
    model::Workbook book;
    book.activeSheet().setValue("A2", std::string("A/B:C*计算结果"));
    QCOMPARE(ui::SuggestedFileName(book, QDate(2024, 5, 6), QStringLiteral(".xlsx")),
             QStringLiteral("A_B_C_计算结果 2024-05-06.xlsx"));
}

void ResultWindowSavingTest::twoWindowsOfOneMomentHaveTwoTitles() {
    const ui::ResultWindow first(OneCellReport()), second(OneCellReport());
    QVERIFY(first.windowTitle() != second.windowTitle());
    QVERIFY2(first.windowTitle().contains(QTime::currentTime().toString(QStringLiteral("HH:mm"))) ||
                 second.windowTitle().contains(QTime::currentTime().toString(QStringLiteral("HH:mm"))),
             qPrintable(first.windowTitle()));
}

TAVELMARK_QTEST_CLASS(ResultWindowSavingTest)
#include "test_result_window_saving.moc"
