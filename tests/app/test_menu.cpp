// The menu bar against the menu tree of the manual: entries, order, captions,
// states.
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include "app/main_window.h"
#include "app/menu_table.h"
#include "app/resource_dir.h"
#include "support/qtest_class.h"

using tavelmark::app::MainWindow;

namespace {

struct Walked {
    int depth;
    QAction* action;
};

void Walk(const QList<QAction*>& actions, int depth, QList<Walked>& out) {
    for (QAction* action : actions) {
        out.push_back({depth, action});
        if (action->menu() != nullptr) Walk(action->menu()->actions(), depth + 1, out);
    }
}

QList<Walked> WalkBar(MainWindow& main) {
    QList<Walked> all;
    Walk(main.menuBar()->actions(), 0, all);
    return all;
}

QStringList ChildNames(MainWindow& main, const QString& menuName) {
    QStringList names;
    for (QAction* action : main.menuAction(menuName)->menu()->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    return names;
}

}  // namespace

class MenuTest : public QObject {
    Q_OBJECT
private slots:
    void barHas252EntriesAndItsEnabledOnes() {
        MainWindow main(tavelmark::app::FindResourceDir());
        const QList<Walked> all = WalkBar(main);
        QCOMPARE(all.size(), 252);
        QStringList enabled;
        int separators = 0;
        for (const Walked& w : all) {
            QVERIFY2(w.action->isVisible(), qPrintable(w.action->objectName()));
            if (w.action->isSeparator()) {
                ++separators;
            } else if (w.action->menu() != nullptr) {
                // a submenu title only opens its submenu, so it stays choosable
                QVERIFY2(w.action->isEnabled(), qPrintable(w.action->objectName()));
            } else if (w.action->isEnabled()) {
                enabled << w.action->objectName();
            }
        }
        QCOMPARE(separators, 17);
        enabled.sort();
        QCOMPARE(enabled, (QStringList{"mnuAbout", "mnuAverAna", "mnuBliss", "mnuControlComp", "mnuHelpTopic",
                                       "mnuLD50", "mnuMAverAna", "mnuRateAna", "mnuRefenerce"}));
    }

    // The bar is built from the table entry by entry: same order, names,
    // captions, depth and kind.
    void barFollowsTable() {
        MainWindow main(tavelmark::app::FindResourceDir());
        const QList<Walked> all = WalkBar(main);
        const auto table = tavelmark::app::MenuEntries();
        QCOMPARE(static_cast<size_t>(all.size()), table.size());
        for (qsizetype i = 0; i < all.size(); ++i) {
            const auto& entry = table[static_cast<size_t>(i)];
            const Walked& w = all[i];
            QCOMPARE(w.depth, entry.depth);
            QCOMPARE(w.action->objectName(), QString::fromUtf8(entry.name));
            if (entry.kind == tavelmark::app::MenuEntryKind::Separator) {
                QVERIFY(w.action->isSeparator());
            } else {
                QCOMPARE(w.action->text(), QString::fromUtf8(entry.caption));
                QCOMPARE(w.action->menu() != nullptr, entry.kind == tavelmark::app::MenuEntryKind::Submenu);
            }
        }
    }

    // Samples of the menu tree of the manual, in order.
    void sampleMenusInOrder_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("children");
        QTest::newRow("bar") << QString() << QStringList{"mnuPhar", "mnuQuantity", "mnuClinicPhar", "mnuPop",
                                                        "mnuBioSta", "mnuCorrAndReg", "mnuHelp"};
        QTest::newRow("mnuQuantity") << "mnuQuantity"
                                     << QStringList{"mnuHalf", "mnuLong", "-", "mnuPD", "mnuRecPK", "mnuCoDrug",
                                                    "-", "mnuAnimal", "-", "mnuMeasurementData",
                                                    "mnuEnumerationData", "mnuRankedData", "-", "mnuDoseEffect",
                                                    "mnuTimeEffect", "mnuDataAudit"};
        QTest::newRow("mnuHalf") << "mnuHalf"
                                 << QStringList{"mnuBliss", "mnuLDk", "mnuLD50", "mnuMIC50", "mnuIC50", "mnuLD50P"};
        QTest::newRow("mnuCAbs") << "mnuCAbs" << QStringList{"mnuCLoo", "mnuCWagner", "mnuCDon"};
        QTest::newRow("mnuNParaTest") << "mnuNParaTest"
                                      << QStringList{"mnuSeqSumTest", "mnuMedianAna", "-", "mnuYouCheng", "-",
                                                     "mnuAsendDesend", "-", "mnuRankCorr", "-", "mnuSquAna"};
        QTest::newRow("mnuHelp") << "mnuHelp" << QStringList{"mnuHelpTopic", "mnuRefenerce", "mnuAbout"};
    }
    void sampleMenusInOrder() {
        QFETCH(QString, menu);
        QFETCH(QStringList, children);
        MainWindow main(tavelmark::app::FindResourceDir());
        if (menu.isEmpty()) {
            QStringList top;
            for (QAction* action : main.menuBar()->actions()) top << action->objectName();
            QCOMPARE(top, children);
        } else {
            QCOMPARE(ChildNames(main, menu), children);
        }
    }

    // Screen readers (and the GUI checks) find every control by its name.
    void controlsHaveAccessibleNames() {
        MainWindow main(tavelmark::app::FindResourceDir());
        QVERIFY(!main.accessibleName().isEmpty());
        QVERIFY(!main.menuBar()->accessibleName().isEmpty());
        QVERIFY(!main.mdiArea()->accessibleName().isEmpty());
        const auto panels = main.statusBar()->findChildren<QLabel*>();
        QCOMPARE(panels.size(), 5);
        for (QLabel* panel : panels) QVERIFY(!panel->accessibleDescription().isEmpty());
        // a status panel reads out its text
        QLabel* status = main.statusBar()->findChild<QLabel*>("StatusText");
        QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name), main.statusText());
        for (const Walked& w : WalkBar(main))
            if (!w.action->isSeparator()) QVERIFY(!w.action->text().isEmpty());
    }

    void sampleCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("top menu") << "mnuQuantity" << "定量药理(&Q)" << true;
        QTest::newRow("Bliss") << "mnuBliss" << "正规Bliss法" << true;
        QTest::newRow("LDk") << "mnuLDk" << "LDk,EDk,TDk两两对比" << false;
        QTest::newRow("potency") << "mnuLD50" << "半数量斜率两两对比" << true;
        QTest::newRow("means") << "mnuAverAna" << "智能化两组均数分析" << true;
        QTest::newRow("rates") << "mnuRateAna" << "智能化两组有效率分析" << true;
        QTest::newRow("roman numerals") << "mnu23Clin" << "Ⅱ,Ⅲ期临床设计" << true;
        QTest::newRow("times sign") << "mnuRCRateAna" << "R×C卡方分析" << false;
        QTest::newRow("nested") << "mnuL27" << "L27" << false;
        QTest::newRow("help") << "mnuHelpTopic" << "Quorin帮助主题" << true;
    }
    void sampleCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        MainWindow main(tavelmark::app::FindResourceDir());
        QAction* action = main.menuAction(name);
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->isEnabled(), enabled);
    }
};

TAVELMARK_QTEST_CLASS(MenuTest)
#include "test_menu.moc"
