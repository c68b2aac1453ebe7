// Dispatch of the menu commands and the busy/ready status around them.
#include <stdexcept>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "app/main_window.h"
#include "app/resource_dir.h"
#include "support/box_catcher.h"
#include "support/qtest_class.h"
#include "ui/result_window.h"

using tavelmark::app::MainWindow;
using tavelmark::test::BoxCatcher;
namespace ui = tavelmark::ui;

namespace {

const QString kReady = QStringLiteral("就绪");
const QString kBusy = QStringLiteral("正在运算,请稍候...");

bool ShowsHourglass(const MainWindow& main) {
    return main.testAttribute(Qt::WA_SetCursor) && main.cursor().shape() == Qt::WaitCursor;
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void busyWhileRunningReadyAfter() {
        MainWindow main(tavelmark::app::FindResourceDir());
        QString during;
        bool hourglass = false;
        main.commands()["mnuTest"] = [&](ui::Workbench&) {
            during = main.statusText();
            hourglass = ShowsHourglass(main);
        };
        QVERIFY(main.runCommand("mnuTest"));
        QCOMPARE(during, kBusy);
        QVERIFY(hourglass);
        QCOMPARE(main.statusText(), kReady);
        QVERIFY(!ShowsHourglass(main));
    }

    // Whatever way a command ends, the status is ready and the pointer normal.
    void readyOnEveryPath_data() {
        QTest::addColumn<int>("path");
        QTest::newRow("returns") << 0;
        QTest::newRow("busy through the prompter, never ready") << 1;
        QTest::newRow("refusal: message, then ready") << 2;
        QTest::newRow("throws") << 3;
    }
    void readyOnEveryPath() {
        QFETCH(int, path);
        MainWindow main(tavelmark::app::FindResourceDir());
        BoxCatcher catcher;
        main.commands()["mnuTest"] = [path](ui::Workbench& bench) {
            switch (path) {
                case 1:
                    bench.prompter().setStatusBusy();
                    break;
                case 2:
                    bench.prompter().setStatusBusy();
                    bench.prompter().message("数据有误", "数据录入错误！", tavelmark::report::MessageIcon::Critical);
                    bench.prompter().setStatusReady();
                    break;
                case 3:
                    throw std::runtime_error("broken");
                default:
                    break;
            }
        };
        QVERIFY(main.runCommand("mnuTest"));
        QCOMPARE(main.statusText(), kReady);
        QVERIFY(!main.isBusy());
        QVERIFY(!ShowsHourglass(main));
        if (path == 3) {
            QCOMPARE(catcher.boxes.size(), size_t{1});
            QCOMPARE(catcher.boxes[0].icon, QMessageBox::Critical);
            QVERIFY(catcher.boxes[0].text.contains("broken"));
        }
    }

    // A calculation started from a data-entry window's button that leaves the
    // status busy: once the program is idle again the status reads ready.
    void busyLeftOutsideACommandSettles() {
        MainWindow main(tavelmark::app::FindResourceDir());
        main.prompter().setStatusBusy();
        QCOMPARE(main.statusText(), kBusy);
        QVERIFY(ShowsHourglass(main));
        QTRY_COMPARE(main.statusText(), kReady);
        QVERIFY(!ShowsHourglass(main));
    }

    // While a message box of the calculation is open the calculation is still
    // running: the status stays busy until the box is answered.
    void busyStaysDuringAMessageBox() {
        MainWindow main(tavelmark::app::FindResourceDir());
        QString whileBoxOpen;
        QTimer::singleShot(400, &main, [&] {
            whileBoxOpen = main.statusText();
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
        });
        main.commands()["mnuTest"] = [](ui::Workbench& bench) {
            bench.prompter().setStatusBusy();
            bench.prompter().message("请稍候", "提示！", tavelmark::report::MessageIcon::Exclamation);
        };
        QVERIFY(main.runCommand("mnuTest"));
        QCOMPARE(whileBoxOpen, kBusy);
        QCOMPARE(main.statusText(), kReady);
    }

    void everyRegisteredCommandEndsReady() {
        MainWindow main(tavelmark::app::FindResourceDir());
        BoxCatcher catcher;
        QStringList names;
        for (const auto& [name, command] : main.commands()) names << name;
        QVERIFY(names.contains("mnuHelpTopic") && names.contains("mnuAbout") && names.contains("mnuRefenerce"));
        for (const QString& name : names) {
            QVERIFY2(main.runCommand(name), qPrintable(name));
            QCOMPARE(main.statusText(), kReady);
            QVERIFY2(!ShowsHourglass(main), qPrintable(name));
        }
    }

    void enabledEntriesRunTheirCommand() {
        MainWindow main(tavelmark::app::FindResourceDir());
        BoxCatcher catcher;
        main.menuAction("mnuAbout")->trigger();
        QCOMPARE(catcher.boxes.size(), size_t{1});
        QCOMPARE(catcher.boxes[0].title, QStringLiteral("关于版权声明"));
        QCOMPARE(main.statusText(), kReady);
        // An analysis's entry opens its data-entry window.
        main.menuAction("mnuLD50")->trigger();
        QVERIFY(main.mdiArea()->findChild<QWidget*>("frmPotencyInput"));
        QCOMPARE(main.statusText(), kReady);
    }

    // Entries shown disabled whose command exists stay callable from code.
    void disabledEntriesKeepTheirCommands() {
        MainWindow main(tavelmark::app::FindResourceDir());
        const QStringList names{"mnuLDk", "mnuAverComp", "mnuItelAna", "mnuEnRateAna", "mnuRateComp", "mnuOddAna"};
        for (const QString& name : names) QVERIFY(!main.menuAction(name)->isEnabled());
        int callable = 0;
        for (const QString& name : names) {
            if (main.commands().count(name) == 0) continue;  // its analysis window is not built in
            QVERIFY2(main.runCommand(name), qPrintable(name));
            QCOMPARE(main.statusText(), kReady);
            ++callable;
        }
#ifdef TAVELMARK_WITH_LDK_COMPARE_UI
        QVERIFY(main.commands().count("mnuLDk") == 1);
#endif
        if (callable == 0) QSKIP("no analysis window library is linked");
    }

    void entryWithoutCommand() {
        MainWindow main(tavelmark::app::FindResourceDir());
        QVERIFY(!main.runCommand("mnuRong"));
        QVERIFY(!main.runCommand("noSuchEntry"));
        QVERIFY(main.menuAction("mnuRong") != nullptr);
        QVERIFY(!main.menuAction("mnuRong")->isEnabled());
    }

    // Every report opens a new document window; earlier ones stay open.
    void reportsOpenSideBySide() {
        MainWindow main(tavelmark::app::FindResourceDir());
        main.show();
        ui::ResultWindow* first = main.showReport(tavelmark::model::Workbook{});
        ui::ResultWindow* second = main.showReport(tavelmark::model::Workbook{});
        QVERIFY(first != nullptr && second != nullptr && first != second);
        QCOMPARE(main.mdiArea()->subWindowList().size(), 2);
        QCOMPARE(main.mdiArea()->activeSubWindow()->widget(), second);
        QVERIFY(first->isVisible());
        // each window lies wholly inside the document area
        const QRect area = main.mdiArea()->viewport()->rect();
        for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
            QVERIFY2(area.contains(sub->geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(sub->x()).arg(sub->y()).arg(sub->width()).arg(sub->height())));
    }
};

TAVELMARK_QTEST_CLASS(CommandsTest)
#include "test_commands.moc"
