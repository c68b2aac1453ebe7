// The desktop prompter: real modal message boxes with the right icon,
// buttons and lines, and the busy/ready callback.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "report/help_text.h"
#include "support/qtest_class.h"
#include "ui/qt_prompter.h"

using namespace tavelmark;

namespace {

struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QStringList buttons;
};

// Reads the modal box once it is shown and presses the button with this text.
void AnswerNextBox(SeenBox& seen, const QString& press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text();
            if (button->text() == press) button->click();
        }
    });
}

}  // namespace

class PrompterTest : public QObject {
    Q_OBJECT

private slots:
    void messageShowsIconTitleAndOk_data();
    void messageShowsIconTitleAndOk();
    void askAnswersYesOrNo();
    void helpTextLinesBecomeSeparateLines();
    void busyAndReadyReachTheCallback();
};

void PrompterTest::messageShowsIconTitleAndOk_data() {
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("shown");
    QTest::newRow("critical stop") << int(report::MessageIcon::Critical) << int(QMessageBox::Critical);
    QTest::newRow("exclamation") << int(report::MessageIcon::Exclamation) << int(QMessageBox::Warning);
    QTest::newRow("question") << int(report::MessageIcon::Question) << int(QMessageBox::Question);
    QTest::newRow("none") << int(report::MessageIcon::None) << int(QMessageBox::NoIcon);
}

void PrompterTest::messageShowsIconTitleAndOk() {
    QFETCH(int, icon);
    QFETCH(int, shown);
    ui::QtPrompter prompter(nullptr, {});
    SeenBox seen;
    AnswerNextBox(seen, QStringLiteral("确定"));
    prompter.message("LD50与L95的数据量应相等", "数据量不等错误！", report::MessageIcon(icon));
    QCOMPARE(int(seen.icon), shown);
    QCOMPARE(seen.title, QStringLiteral("数据量不等错误！"));
    QCOMPARE(seen.text, QStringLiteral("LD50与L95的数据量应相等"));
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("确定")});
}

void PrompterTest::askAnswersYesOrNo() {
    ui::QtPrompter prompter(nullptr, {});
    for (const bool yes : {true, false}) {
        SeenBox seen;
        AnswerNextBox(seen, yes ? QStringLiteral("是(&Y)") : QStringLiteral("否(&N)"));
        QCOMPARE(prompter.ask("删除可疑值?", "提示！", report::MessageIcon::Question), yes);
        QCOMPARE(seen.buttons.size(), 2);
        QCOMPARE(int(seen.icon), int(QMessageBox::Question));
    }
}

void PrompterTest::helpTextLinesBecomeSeparateLines() {
    // Help boxes join their lines with a lone carriage return.
    const std::string text = report::JoinHelpLines({"【举例说明】", "    第一行", "", "【用法说明】"});
    QCOMPARE(ui::MessageBoxText(text), QStringLiteral("【举例说明】\n    第一行\n\n【用法说明】"));
    ui::QtPrompter prompter(nullptr, {});
    SeenBox seen;
    AnswerNextBox(seen, QStringLiteral("确定"));
    prompter.message(text, "LDk两两对比在线帮助", report::MessageIcon::None);
    QCOMPARE(seen.text.split(u'\n').size(), 4);
    QVERIFY(!seen.text.contains(u'\r'));
}

void PrompterTest::busyAndReadyReachTheCallback() {
    QList<bool> calls;
    ui::QtPrompter prompter(nullptr, [&calls](bool busy) { calls << busy; });
    prompter.setStatusBusy();
    prompter.setStatusReady();
    QCOMPARE(calls, (QList<bool>{true, false}));
    ui::QtPrompter silent(nullptr, {});
    silent.setStatusBusy();  // no callback: nothing happens, nothing breaks
}

TAVELMARK_QTEST_CLASS(PrompterTest)
#include "test_prompter.moc"
