// The potency comparison's windows: frmPotencyInput and its menu command,
// and the options dialog frmPotencySetting.
#include <cmath>
#include <fstream>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <nlohmann/json.hpp>

#include "desktop/potency/potency_commands.h"
#include "desktop/potency/potency_desktop.h"
#include "desktop/potency/potency_input_window.h"
#include "desktop/potency/potency_settings_dialog.h"
#include "support/fake_workbench.h"
#include "support/qtest_class.h"
#include "ui/grid_fixture.h"
#include "ui/grid_view.h"
#include "ui/result_window.h"
#include "ui/workbook_view.h"

using namespace tavelmark;

using tavelmark::potency::desktop::PotencyInputWindow;
using tavelmark::potency::desktop::PotencySettingsDialog;
namespace potency_desktop = tavelmark::potency::desktop;

namespace {

using test::FakeWorkbench;

struct OpenedPotencyWindow {
    FakeWorkbench bench;
    ui::CommandTable commands;
    PotencyInputWindow* window = nullptr;

    OpenedPotencyWindow() {
        potency_desktop::Registration().registerCommands(commands);
        commands.at(QStringLiteral("mnuLD50"))(bench);
        window = bench.area->findChild<PotencyInputWindow*>();
    }
    PotencySettingsDialog* openSettings() {
        QTest::mouseClick(window->settingsButton(), Qt::LeftButton);
        return potency_desktop::FindPotencySettings(bench);
    }
    void calculate() { QTest::mouseClick(window->calculateButton(), Qt::LeftButton); }
    const model::Sheet& report() const { return bench.reports.back().activeSheet(); }
    QString lastMessage() const {
        const auto dialogs = bench.recorder.dialogs();
        return dialogs.empty() ? QString() : QString::fromStdString(dialogs.back().text);
    }
};

// The first row whose column A reads `text`, 0 when none does.
int RowReading(const model::Sheet& sheet, const std::string& text) {
    for (int row = 1; row <= 500; ++row)
        if (model::PlainText(sheet.value(model::CellRef{row, 1})) == text) return row;
    return 0;
}

std::string CellText(const model::Sheet& sheet, int row, int column) {
    return model::PlainText(sheet.value(model::CellRef{row, column}));
}

// The box's text replaced by typing, one key a character (a full-width
// comma too, as an input method delivers it).
void ReplaceText(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar c : text) {
        const auto key = c.unicode() < 128 ? static_cast<Qt::Key>(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, box, key, QString(c), Qt::NoModifier);
    }
}

}  // namespace

class PotencyWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuEntryOpensOneWindowAndKeepsTheUsersData();
    void nameColumnTakesTextTheOthersNumbers();
    void calculateWritesTheReportWithItsChart();
    void settingsReachTheCalculationAndTheSavedFile();
    void badLDkValuesAreSaidOnConfirm();
    void refusalsSelectTheirCell_data();
    void refusalsSelectTheirCell();
    void dialogIsNamedAndKeyboardUsable();
    void screenshotsWhenAsked();
};

void PotencyWindowTest::menuEntryOpensOneWindowAndKeepsTheUsersData() {
    OpenedPotencyWindow o;
    QCOMPARE(potency_desktop::Registration().enabledMenuEntries, std::vector<QString>{QStringLiteral("mnuLD50")});
    QVERIFY(o.window);
    QCOMPARE(o.window->objectName(), QStringLiteral("frmPotencyInput"));
    QCOMPARE(o.window->windowTitle(), QStringLiteral("半数量斜率两两对比数据录入"));
    QCOMPARE(o.window->grid().value("A2"), model::CellValue(std::string("鱼藤酮")));
    QCOMPARE(o.window->grid().value("D18"), model::CellValue(48.0));
    // The grid shows its four columns whole and scrolls down to row 161.
    ui::GridView* view = o.window->gridView();
    QVERIFY(view->geometry().right() < o.window->width());
    QVERIFY(view->viewport()->width() >= view->horizontalHeader()->length());
    QVERIFY(view->verticalScrollBar()->maximum() > 0);
    for (QPushButton* b : {o.window->helpButton(), o.window->settingsButton(), o.window->calculateButton()})
        QVERIFY(o.window->rect().contains(b->geometry()));

    o.window->grid().setValue("B3", 3.9);
    o.window->grid().setValue("A19", std::string("新制剂"));
    o.commands.at(QStringLiteral("mnuLD50"))(o.bench);
    QCOMPARE(o.bench.area->findChildren<PotencyInputWindow*>().size(), 1);
    QCOMPARE(o.window->grid().value("B3"), model::CellValue(3.9));
    QCOMPARE(o.window->grid().value("A19"), model::CellValue(std::string("新制剂")));
}

void PotencyWindowTest::nameColumnTakesTextTheOthersNumbers() {
    OpenedPotencyWindow o;
    ui::GridView* view = o.window->gridView();
    int beeps = 0;
    view->setBeep([&beeps] { ++beeps; });
    const auto typeAt = [&](const char* a1, const QString& text) {
        test::SelectCell(*view, a1);
        test::TypeText(*view, text);
        test::TypeKey(*view, Qt::Key_Return);
    };
    typeAt("A20", QStringLiteral("B-2"));
    QCOMPARE(o.window->grid().value("A20"), model::CellValue(std::string("B-2")));
    typeAt("A21", QStringLiteral("苦参碱"));
    QCOMPARE(o.window->grid().value("A21"), model::CellValue(std::string("苦参碱")));
    QCOMPARE(beeps, 0);
    typeAt("B20", QStringLiteral("B"));
    QCOMPARE(o.window->grid().value("B20"), model::CellValue{});
    QCOMPARE(beeps, 1);
    typeAt("C20", QStringLiteral("45"));
    QCOMPARE(o.window->grid().value("C20"), model::CellValue(45.0));
}

void PotencyWindowTest::calculateWritesTheReportWithItsChart() {
    OpenedPotencyWindow o;
    o.calculate();
    QCOMPARE(o.bench.reports.size(), std::size_t(1));
    const model::Sheet& sheet = o.report();
    QCOMPARE(CellText(sheet, 2, 1), std::string("半数量斜率两两对比计算结果"));
    // Finney's aphids under parallel lines: rotenone / deguelin 0.4639 (0.3303, 0.6673).
    const int pair = RowReading(sheet, "鱼藤酮/鱼藤素");
    QVERIFY(pair > 0);
    const double quoted[] = {0.4639, 0.3303, 0.6673};
    for (int i = 0; i < 3; ++i) {
        const auto* value = std::get_if<double>(&sheet.value(model::CellRef{pair, 2 + i}));
        QVERIFY(value);
        QVERIFY2(std::abs(*value - quoted[i]) < 5e-5, qPrintable(QString::number(*value)));
    }
    QCOMPARE(sheet.charts().size(), std::size_t(1));
    const model::Chart& chart = sheet.charts().front();
    QStringList ticks;
    for (const model::TickLabel& t : chart.yAxis.tickLabels) ticks << QString::fromStdString(t.text);
    QCOMPARE(ticks, (QStringList{"1%", "5%", "10%", "25%", "50%", "75%", "90%", "95%", "99%"}));
    // Each preparation: its parallel line, its own line and its points; the 50 % line.
    QCOMPARE(chart.series.size(), std::size_t(3 * 3 + 1 + 1));  // deguelin has a 100 % group
    QVERIFY(o.window->isEnabled());
    QCOMPARE(QString::fromStdString(o.bench.recorder.statusText()), QStringLiteral("就绪"));
    // The result window shows it.
    auto* shown = qobject_cast<ui::ResultWindow*>(o.bench.resultFrames.back()->widget());
    QVERIFY(shown);
    QCOMPARE(shown->workbook().sheets.size(), std::size_t(1));
}

void PotencyWindowTest::settingsReachTheCalculationAndTheSavedFile() {
    OpenedPotencyWindow o;
    PotencySettingsDialog* dialog = o.openSettings();
    QVERIFY(dialog);
    QVERIFY(!o.window->isEnabled());
    QCOMPARE(dialog->referenceBox()->count(), 3);
    QCOMPARE(dialog->referenceBox()->itemText(1), QStringLiteral("鱼藤素"));
    dialog->logitOption()->click();
    dialog->naturalOption(potency::NaturalResponseOption::Abbott)->click();
    dialog->referenceBox()->setCurrentIndex(1);
    ReplaceText(dialog->ldkBox(), QStringLiteral("95，2.5"));
    dialog->extendedCheck()->setChecked(true);
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisibleTo(o.bench.area));
    QVERIFY(o.window->isEnabled());

    o.calculate();
    QCOMPARE(o.bench.reports.size(), std::size_t(1));
    const model::Sheet& sheet = o.report();
    const std::string remark = CellText(sheet, 4, 5);
    QVERIFY2(remark.find("logit模型") != std::string::npos, remark.c_str());
    QVERIFY2(remark.find("Abbott") != std::string::npos, remark.c_str());
    QVERIFY2(remark.find("参比制剂: 鱼藤素") != std::string::npos, remark.c_str());
    QVERIFY(RowReading(sheet, "鱼藤素/鱼藤酮") > 0);
    bool ld95 = false, ld2point5 = false;
    for (int row = 1; row <= 200; ++row) {
        ld95 = ld95 || CellText(sheet, row, 2) == "LD95";
        ld2point5 = ld2point5 || CellText(sheet, row, 2) == "LD2.5";
    }
    QVERIFY(ld95 && ld2point5);
    QCOMPARE(o.bench.reports.back().sheets.size(), std::size_t(2));

    const nlohmann::json expected = {{"link", "logit"}, {"natural", "abbott"}, {"reference", "鱼藤素"},
                                     {"ldk", {95, 2.5}}, {"extended", true}};
    QCOMPARE(o.window->currentOptions(), expected);
    QTemporaryDir folder;
    const QString path = folder.filePath("potency.tavelmark");
    QVERIFY(o.window->saveTo(path));
    std::ifstream in(path.toStdString());
    const nlohmann::json saved = nlohmann::json::parse(in);
    QCOMPARE(saved.at("analysis"), nlohmann::json("potency"));
    QCOMPARE(saved.at("options"), expected);
}

void PotencyWindowTest::badLDkValuesAreSaidOnConfirm() {
    OpenedPotencyWindow o;
    PotencySettingsDialog* dialog = o.openSettings();
    for (const QString& bad : {QStringLiteral("95, 100"), QStringLiteral("0"), QStringLiteral("1..5")}) {
        ReplaceText(dialog->ldkBox(), bad);
        const std::size_t before = o.bench.recorder.dialogs().size();
        QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
        QCOMPARE(o.bench.recorder.dialogs().size(), before + 1);
        QCOMPARE(o.bench.recorder.dialogs().back().title, std::string("数据超出范围！"));
        QVERIFY2(dialog->isVisibleTo(o.bench.area), qPrintable(bad));
        QCOMPARE(dialog->ldkBox()->selectedText(), bad);
        QVERIFY(!o.window->isEnabled());
    }
    // Letters and signs are not typed at all.
    ReplaceText(dialog->ldkBox(), QStringLiteral("5a, -9x9"));
    QCOMPARE(dialog->ldkBox()->text(), QStringLiteral("5, 99"));
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisibleTo(o.bench.area));
    QCOMPARE(dialog->options().extraLDk, (std::vector<double>{5, 99}));
}

void PotencyWindowTest::refusalsSelectTheirCell_data() {
    QTest::addColumn<QStringList>("cells");  // "A1=value", a number when it reads as one
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("selected");
    QTest::newRow("text dose") << QStringList{"B4=abc"} << "" << "本例有17组,发现空单元格或类型不匹配" << "B4";
    QTest::newRow("positives above n") << QStringList{"D9=50"} << "" << "动物阳性数不得大于每组例数" << "D9";
    QTest::newRow("name again") << QStringList{"A9=鱼藤酮"} << ""
                                << "制剂「鱼藤酮」在第9行再次出现,同一制剂的各组应连续排列" << "A9";
    QTest::newRow("two doses") << QStringList{"A4=鱼藤酮b"} << "" << "制剂「鱼藤酮」剂量组数太少(<3),无法计算" << "A2";
    QTest::newRow("no reference") << QStringList{} << "鱼藤" << "参比制剂「鱼藤」不在本例数据中" << "A1";
}

void PotencyWindowTest::refusalsSelectTheirCell() {
    QFETCH(QStringList, cells);
    QFETCH(QString, reference);
    QFETCH(QString, message);
    QFETCH(QString, selected);
    OpenedPotencyWindow o;
    for (const QString& cell : cells) {
        const QString a1 = cell.section('=', 0, 0), text = cell.section('=', 1);
        bool isNumber = false;
        const double number = text.toDouble(&isNumber);
        o.window->grid().setValue(a1.toStdString().c_str(),
                                  isNumber ? model::CellValue(number) : model::CellValue(text.toStdString()));
    }
    if (!reference.isEmpty()) {
        PotencySettingsDialog* dialog = o.openSettings();
        dialog->referenceBox()->setEditText(reference);
        QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    }
    o.calculate();
    QVERIFY(o.bench.reports.empty());
    QCOMPARE(o.lastMessage(), message);
    QCOMPARE(o.window->grid().selection(), model::Range(selected.toStdString().c_str()));
    QCOMPARE(o.window->gridView()->activeCell(), model::Cell(selected.toStdString().c_str()));
    QVERIFY(o.window->isEnabled());
    QCOMPARE(QString::fromStdString(o.bench.recorder.statusText()), QStringLiteral("就绪"));
}

void PotencyWindowTest::dialogIsNamedAndKeyboardUsable() {
    OpenedPotencyWindow o;
    PotencySettingsDialog* dialog = o.openSettings();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("半数量斜率两两对比参数设置"));
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (w->objectName().startsWith("qt_") || !w->isVisibleTo(dialog)) continue;
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName() + " " + w->metaObject()->className()));
    }
    // Every control lies inside the dialog.
    for (QWidget* w : dialog->findChildren<QWidget*>())
        if (w->parentWidget() == dialog) QVERIFY2(dialog->rect().contains(w->geometry()), qPrintable(w->objectName()));

    // The focus starts on the chosen model; the arrows choose, Tab walks on.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog->probitOption()));
    QTest::keyClick(dialog->probitOption(), Qt::Key_Right);
    QVERIFY(dialog->logitOption()->isChecked());
    QList<QWidget*> reached;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget();
    }
    QCOMPARE(reached[0], static_cast<QWidget*>(dialog->naturalOption(potency::NaturalResponseOption::None)));
    QVERIFY(reached[1] == dialog->referenceBox() || reached[1]->parentWidget() == dialog->referenceBox());
    QCOMPARE(reached[2], static_cast<QWidget*>(dialog->ldkBox()));
    QCOMPARE(reached[3], static_cast<QWidget*>(dialog->extendedCheck()));
    QCOMPARE(reached[4], static_cast<QWidget*>(dialog->confirmButton()));
    QTest::keyClick(dialog->confirmButton(), Qt::Key_Space);
    QVERIFY(!dialog->isVisibleTo(o.bench.area));
    QCOMPARE(dialog->options().link, numeric::QuantalLink::Logit);
}

// With POTENCY_SCREENSHOTS=<folder> (run under Xvfb or offscreen), pictures
// of the window, the options dialog and the report, and the report as PDF,
// for a look by eye.
void PotencyWindowTest::screenshotsWhenAsked() {
    const QString folder = qEnvironmentVariable("POTENCY_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("POTENCY_SCREENSHOTS not set");
    OpenedPotencyWindow o;
    o.bench.main.resize(1280, 960);
    auto shoot = [&](const char* name) {
        QTest::qWait(100);
        QVERIFY(o.bench.main.grab().save(folder + "/" + name + ".png"));
    };
    shoot("potency_input");
    PotencySettingsDialog* dialog = o.openSettings();
    dialog->referenceBox()->setCurrentIndex(1);
    ReplaceText(dialog->ldkBox(), QStringLiteral("95"));
    shoot("potency_settings");
    dialog->referenceBox()->setEditText(QString());
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    o.calculate();
    QMdiSubWindow* report = o.bench.resultFrames.back();
    report->showMaximized();
    o.bench.area->setActiveSubWindow(report);
    shoot("potency_report");
    auto* window = qobject_cast<ui::ResultWindow*>(report->widget());
    const model::Sheet& sheet = o.report();
    // The chart's table starts under the chart: scroll the chart into view.
    const int below = RowReading(sheet, "量效直线图作图数据");
    int last = below;
    while (!model::PlainText(sheet.value(model::CellRef{last + 1, 3})).empty()) ++last;
    for (auto* area : window->findChildren<QAbstractScrollArea*>())
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum() * (below - 30) / (last - 40));
    shoot("potency_chart");
    QVERIFY(window->exportPdfTo(folder + "/potency_report.pdf"));
}

TAVELMARK_QTEST_CLASS(PotencyWindowTest)
#include "test_potency_window.moc"
