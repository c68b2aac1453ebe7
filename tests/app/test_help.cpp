// The help menu: the help document in the help browser, a missing document,
// the references box and the about box.
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "app/help_window.h"
#include "app/main_window.h"
#include "app/status_panels.h"
#include "support/box_catcher.h"
#include "support/qtest_class.h"

using tavelmark::app::HelpWindow;
using tavelmark::app::MainWindow;
using tavelmark::app::StatusPanels;
using tavelmark::test::BoxCatcher;

namespace {
const QString kResources = QStringLiteral(TAVELMARK_RESOURCES);
}

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void missingHelpDocumentSaysSoAndLeavesMainUsable() {
        QTemporaryDir empty;
        MainWindow main(empty.path());
        main.show();
        BoxCatcher catcher;
        QVERIFY(main.runCommand("mnuHelpTopic"));
        QCOMPARE(catcher.boxes.size(), size_t{1});
        QVERIFY(catcher.boxes[0].text.contains(QStringLiteral("找不到帮助文件")));
        QVERIFY(catcher.boxes[0].text.contains(QDir::toNativeSeparators(empty.path())));
        QVERIFY(main.findChild<HelpWindow*>() == nullptr);
        QVERIFY(main.isEnabled());
        QCOMPARE(main.statusText(), QStringLiteral("就绪"));
        // the next command works as usual
        QVERIFY(main.runCommand("mnuAbout"));
        QCOMPARE(catcher.boxes.size(), size_t{2});
    }

    void helpDocumentOpensOnceInTheBrowser() {
        MainWindow main(kResources);
        main.show();
        QVERIFY(main.runCommand("mnuHelpTopic"));
        QVERIFY(main.runCommand("mnuHelpTopic"));
        QCOMPARE(main.findChildren<HelpWindow*>().size(), 1);
        auto* help = main.findChild<HelpWindow*>();
        QVERIFY(help->isVisible());
        QVERIFY(main.isEnabled());
        const QString text = help->browser()->toPlainText();
        for (const char* analysis : {"正规Bliss法", "智能化两组均数分析", "智能化两组有效率分析", "LDk两两对比"})
            QVERIFY2(text.contains(QString::fromUtf8(analysis)), analysis);
    }

    // Every link between the help pages leads to a page that is there.
    void helpLinksResolve() {
        const QDir helpDir(kResources + "/help");
        QVERIFY(helpDir.exists("index.html"));
        const QRegularExpression link(R"(href="([^"#:]+)(#[^"]*)?")");
        int links = 0;
        QDirIterator pages(helpDir.path(), {"*.html"});
        while (pages.hasNext()) {
            const QString page = pages.next();
            QFile file(page);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            auto matches = link.globalMatch(html);
            while (matches.hasNext()) {
                const QString target = matches.next().captured(1);
                QVERIFY2(QFileInfo(QFileInfo(page).dir(), target).isFile(), qPrintable(page + " -> " + target));
                ++links;
            }
        }
        QVERIFY(links > 0);
    }

    void referencesBoxShowsSevenLines() {
        MainWindow main(kResources);
        BoxCatcher catcher;
        QVERIFY(main.runCommand("mnuRefenerce"));
        QCOMPARE(catcher.boxes.size(), size_t{1});
        const auto& box = catcher.boxes[0];
        QCOMPARE(box.title, QStringLiteral("重要参考文献"));
        QCOMPARE(box.icon, QMessageBox::Warning);  // the exclamation icon
        const QStringList lines = box.text.split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[0], QStringLiteral("【重要参考文献】"));
        for (int i = 1; i < 7; ++i) {
            QVERIFY2(lines[i].startsWith(QStringLiteral("    %1、").arg(i)), qPrintable(lines[i]));
            QVERIFY(!lines[i].trimmed().isEmpty());
        }
        QVERIFY(lines[1].contains(QStringLiteral("中国医学百科全书 医学统计学")));
        QVERIFY(lines[2].contains(QStringLiteral("医用数理统计方法(第三版)")));
        QVERIFY(lines[6].contains(QStringLiteral("新药临床研究设计与统计分析")));
    }

    void aboutBoxShowsFourParagraphs() {
        MainWindow main(kResources);
        BoxCatcher catcher;
        QVERIFY(main.runCommand("mnuAbout"));
        QCOMPARE(catcher.boxes.size(), size_t{1});
        const auto& box = catcher.boxes[0];
        QCOMPARE(box.title, QStringLiteral("关于版权声明"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        const QStringList paragraphs = box.text.split(QStringLiteral("\n\n"));
        QCOMPARE(paragraphs.size(), 4);
        for (const QString& paragraph : paragraphs) {
            QVERIFY(!paragraph.isEmpty());
            QVERIFY(!paragraph.contains('\n'));
        }
    }

    // Citations give title, edition, publisher, year and page, never who wrote
    // or edited the work; no text gives a contact address that nobody answers.
    void textsNameNoAuthorsAndNoContactAddress() {
        MainWindow main(kResources);
        BoxCatcher catcher;
        QVERIFY(main.runCommand("mnuRefenerce"));
        QVERIFY(main.runCommand("mnuAbout"));
        QStringList texts{catcher.boxes[0].text, catcher.boxes[1].text, StatusPanels::supportText()};
        QDirIterator pages(kResources + "/help", {"*.html"});
        while (pages.hasNext()) {
            QFile file(pages.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            texts << QString::fromUtf8(file.readAll());
        }
        const QRegularExpression byline(QStringLiteral("主编|编著|编写组|等著|\\w+@\\w+"));
        for (const QString& text : texts)
            QVERIFY2(!byline.match(text).hasMatch(), qPrintable(byline.match(text).captured()));
        QVERIFY(StatusPanels::supportText().contains(QStringLiteral("帮助")));
    }
};

TAVELMARK_QTEST_CLASS(HelpTest)
#include "test_help.moc"
