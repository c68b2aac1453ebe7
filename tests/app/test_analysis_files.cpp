// Analysis files in the data-entry windows: a file saved from a window
// or by the command line opens to the same grid and options; damaged,
// foreign and newer files are refused without changing anything on screen;
// CSV import with its out-of-area warning and undo; the question before
// unsaved changes are lost; the grid's context menu and keys; `tavelmark FILE`.
#include <fstream>
#include <sstream>

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include "desktop/bliss/bliss_commands.h"
#include "desktop/bliss/bliss_input_window.h"
#include "desktop/bliss/bliss_settings_dialog.h"
#include "desktop/ldk_compare/ldk_compare_commands.h"
#include "desktop/ldk_compare/ldk_compare_window.h"
#include "analyses/means/means_captions.h"
#include "desktop/means/means_commands.h"
#include "desktop/means/means_input_window.h"
#include "desktop/means/print_show_dialog.h"
#include "desktop/potency/potency_commands.h"
#include "desktop/potency/potency_input_window.h"
#include "desktop/potency/potency_settings_dialog.h"
#include "analyses/rates/rates_window.h"
#include "desktop/rates/rates_commands.h"
#include "desktop/rates/rates_input_window.h"
#include "desktop/rates/rates_settings_dialog.h"
#include "analyses/analysis_list.h"
#include "app/analysis_commands.h"
#include "app/main_window.h"
#include "app/resource_dir.h"
#include "documents/analysis_document.h"
#include "files/input_loader.h"
#include "support/fake_workbench.h"
#include "support/qtest_class.h"
#include "ui/data_entry_window.h"
#include "ui/grid_view.h"
#include "ui/mdi_windows.h"
#include "ui/recent_files.h"

using namespace tavelmark;
using nlohmann::json;
using ui::DataEntryWindow;

namespace {

using Typed = std::vector<std::pair<const char*, model::CellValue>>;

struct Analysis {
    const char* name;
    const char* analysis;  // its registered name, as the file holds it
    QString objectName;
    std::function<DataEntryWindow*(ui::Workbench&)> open;
    Typed typed;  // what a user types into the grid
    // Options other than the defaults, set on the dialog's controls, and the
    // options the window then reports; no function: the analysis has none.
    std::function<void(ui::Workbench&, DataEntryWindow&)> chooseOptions;
    json chosen;
    // tavelmark-cli's command with option flags, the folder of its
    // example.csv, and the options those flags stand for.
    QStringList command;
    const char* exampleFolder;
    json commandOptions;
    const char* commandCaption;  // the window's caption after opening that file; null: unchanged
};

std::vector<Analysis> Analyses() {
    return {
        {"Bliss", "bliss", "frmBlissInput",
         [](ui::Workbench& b) -> DataEntryWindow* { return bliss::desktop::ShowBlissInputWindow(b); },
         {{"B2", 35.0}, {"C2", 20.0}, {"D2", 17.0}, {"B3", 25.0}, {"C3", 20.0}, {"D3", 9.0}},
         [](ui::Workbench& b, DataEntryWindow&) {
             bliss::desktop::BlissSettingsDialog* settings = bliss::desktop::LoadBlissSettings(b);
             settings->txtBaseValue()->setText("5");
             settings->check(3)->setChecked(true);
             settings->check(6)->setChecked(true);
             settings->extendedCheck()->setChecked(true);
         },
         {{"backgroundPercent", "5"}, {"intermediate", false}, {"fieller", true},
          {"heterogeneity", false}, {"ldkCalculator", false}, {"chart", true}, {"extended", true}},
         {"bliss", "--intermediate", "--fieller", "--heterogeneity", "--chart", "--background", "5"},
         "bliss",
         {{"backgroundPercent", "5"}, {"intermediate", true}, {"fieller", true},
          {"heterogeneity", true}, {"ldkCalculator", false}, {"chart", true}, {"extended", false}},
         nullptr},
        {"means", "means", "frmIntelDAveInput",
         [](ui::Workbench& b) -> DataEntryWindow* {
             return means::desktop::ShowMeansInputWindow(b, means::MeansMenuEntry::ItelAna);
         },
         {{"A2", 38.0}, {"B2", 32.0}, {"A3", -1.5}, {"B3", std::string("x")}},
         [](ui::Workbench& b, DataEntryWindow&) {
             means::desktop::PrintShowDialog* settings = means::desktop::LoadPrintShow(b);
             settings->check(4)->setChecked(true);
             settings->check(8)->setChecked(true);
         },
         {{"sections", {"descriptive", "normality"}}, {"extended", false}},
         {"means", "--sections", "t-tests,variance", "--extended"},
         "means",
         {{"sections", {"t-tests", "variance"}}, {"extended", true}},
         nullptr},
        {"rates", "rates", "frmChiInput",
         [](ui::Workbench& b) -> DataEntryWindow* {
             return rates::desktop::ShowRatesInputWindow(b, rates::RatesMenuCommand::RateAna);
         },
         {{"B2", 8.0}, {"C2", 22.0}, {"B3", 15.0}, {"C3", 14.0}},
         [](ui::Workbench& b, DataEntryWindow&) {
             rates::desktop::RatesSettingsDialog* settings = rates::desktop::LoadRatesSettings(b);
             settings->setItemChecked(5, true);
             settings->setItemChecked(12, true);
             settings->chkExtended()->setChecked(true);
         },
         {{"items", {5, 12}}, {"captionCommand", "rate-ana"}, {"extended", true}},
         {"rates", "--items", "odds", "--variant", "en-rate-ana"},
         "rates",
         {{"items", {11}}, {"captionCommand", "en-rate-ana"}, {"extended", false}},
         rates::kEnRatesWindowCaption},
        {"LDk comparison", "ldk-compare", "frmLDkInput",
         [](ui::Workbench& b) -> DataEntryWindow* { return ldk_compare::desktop::ShowLDkCompareWindow(b); },
         {{"B2", 15.5}, {"C2", 3.1}, {"B3", 21.0}, {"C3", 4.4}},
         [](ui::Workbench&, DataEntryWindow& w) {
             static_cast<ldk_compare::desktop::LDkCompareWindow&>(w).extendedCheck()->setChecked(true);
         },
         {{"extended", true}},
         {"ldk-compare", "--extended"},
         "ldk_compare",
         {{"extended", true}},
         nullptr},
        {"potency", "potency", "frmPotencyInput",
         [](ui::Workbench& b) -> DataEntryWindow* { return potency::desktop::ShowPotencyInputWindow(b); },
         {{"A19", std::string("B-2")}, {"B19", 4.5}, {"C19", 30.0}, {"D19", 12.0}},
         [](ui::Workbench& b, DataEntryWindow&) {
             potency::desktop::PotencySettingsDialog* settings = potency::desktop::LoadPotencySettings(b);
             settings->logitOption()->setChecked(true);
             settings->ldkBox()->setText("95");
             settings->extendedCheck()->setChecked(true);
         },
         {{"link", "logit"}, {"natural", "none"}, {"reference", ""}, {"ldk", json::array({95})}, {"extended", true}},
         {"potency", "--natural", "abbott", "--reference", "混合物", "--ldk", "99"},
         "potency",
         {{"link", "probit"}, {"natural", "abbott"}, {"reference", "混合物"}, {"ldk", json::array({99})},
          {"extended", false}},
         nullptr},
    };
}

void Type(DataEntryWindow& window, const Typed& typed) {
    std::vector<std::pair<model::CellRef, model::CellValue>> values;
    for (const auto& [cell, value] : typed) values.emplace_back(model::Cell(cell), value);
    window.gridView()->writeCells(std::move(values), QStringLiteral("录入"));
}

std::vector<documents::SavedCell> CellsOf(DataEntryWindow& window) {
    return documents::CollectCells(window.grid().activeSheet());
}

QString Examples(const char* folder) {
    return QStringLiteral(TAVELMARK_SOURCE_TESTS "/analyses/%1/data/example.csv").arg(QString::fromUtf8(folder));
}

void WriteBytes(const QString& path, const std::string& bytes) {
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Everything of a window that a refused file must leave as it was.
struct OnScreen {
    std::vector<documents::SavedCell> cells;
    json options;
    QString title, filePath;
    bool changed = false;
    int undoSteps = 0;
    bool operator==(const OnScreen&) const = default;
};

OnScreen Look(DataEntryWindow& w) {
    return {CellsOf(w), w.currentOptions(), w.windowTitle(), w.filePath(), w.hasUnsavedChanges(),
            w.gridView()->undoStack()->count()};
}

std::optional<report::RecordingPrompter::Event> LastDialog(test::FakeWorkbench& bench) {
    const auto dialogs = bench.recorder.dialogs();
    if (dialogs.empty()) return std::nullopt;
    return dialogs.back();
}

// The texts of the grid's context menu, read while it is open.
QStringList ContextMenuTexts(ui::GridView* grid) {
    QStringList texts;
    QTimer::singleShot(100, grid, [&texts] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            texts << action->text() + (action->shortcut().isEmpty()
                                           ? QString()
                                           : QStringLiteral(" [") + action->shortcut().toString() + "]");
        }
        menu->close();
    });
    const QPoint at = grid->viewport()->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &event);
    return texts;
}

}  // namespace

class AnalysisFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // The recent-files list goes to a settings file of the test's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("settings"));
    }

    void savedFileReopensToSameGridAndOptions() {
        for (const Analysis& a : Analyses()) {
            const QString file = path(QStringLiteral("%1.tavelmark").arg(QString::fromUtf8(a.analysis)));
            std::vector<documents::SavedCell> cells;
            {
                test::FakeWorkbench bench;
                DataEntryWindow* window = a.open(bench);
                Type(*window, a.typed);
                if (a.chooseOptions) a.chooseOptions(bench, *window);
                QVERIFY2(window->currentOptions() == a.chosen, window->currentOptions().dump().c_str());
                QVERIFY2(window->hasUnsavedChanges(), a.name);
                QVERIFY2(window->saveTo(file), a.name);
                QVERIFY2(!window->hasUnsavedChanges(), a.name);
                QVERIFY2(window->windowTitle().startsWith(QFileInfo(file).fileName() + " - "), a.name);
                cells = CellsOf(*window);
                QCOMPARE(cells.size() >= a.typed.size(), true);
            }
            const documents::ReadResult written = documents::LoadAnalysisFile(file.toStdString(), analyses::Analyses(), a.analysis);
            QVERIFY2(written.document, written.error.c_str());
            QVERIFY(written.document->program.starts_with("tavelmark "));

            test::FakeWorkbench bench;  // a new session: no dialog holds the options yet
            DataEntryWindow* window = a.open(bench);
            QVERIFY2(window->openFile(file), a.name);
            QVERIFY2(CellsOf(*window) == cells, a.name);
            QVERIFY2(window->currentOptions() == a.chosen, window->currentOptions().dump().c_str());
            QVERIFY2(!window->hasUnsavedChanges(), a.name);
            QCOMPARE(window->filePath(), QFileInfo(file).absoluteFilePath());
            QCOMPARE(ui::RecentFiles(a.analysis).value(0), QFileInfo(file).absoluteFilePath());
            QVERIFY2(bench.recorder.dialogs().empty(), a.name);
            for (const auto& [cell, value] : a.typed) QVERIFY2(window->grid().value(cell) == value, cell);
        }
    }

    void commandLineFileOpensToTheCommandsInput() {
        for (const Analysis& a : Analyses()) {
            const QString file = path(QStringLiteral("cli-%1.tavelmark").arg(QString::fromUtf8(a.analysis)));
            QProcess cli;
            cli.start(QStringLiteral(TAVELMARK_CLI),
                      a.command + QStringList{Examples(a.exampleFolder), "--print", "--save-analysis", file});
            QVERIFY(cli.waitForFinished(60000));
            QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());

            test::FakeWorkbench bench;
            DataEntryWindow* window = a.open(bench);
            // The command's input as the window's own import reads it.
            model::InputGrid expected = window->grid();
            expected.setChangeListener({});
            std::ostringstream warnings;
            QVERIFY(files::LoadInputGrid(Examples(a.exampleFolder).toStdString(), expected, warnings) ==
                    files::LoadStatus::Loaded);

            QVERIFY2(window->openFile(file), a.name);
            QVERIFY2(CellsOf(*window) == documents::CollectCells(expected.activeSheet()), a.name);
            QVERIFY2(window->currentOptions() == a.commandOptions, window->currentOptions().dump().c_str());
            if (a.commandCaption) QCOMPARE(window->caption(), QString::fromUtf8(a.commandCaption));
        }
    }

    void refusedFilesChangeNothing_data() {
        QTest::addColumn<QByteArray>("content");  // empty: no such file
        QTest::addColumn<QString>("because");
        QTest::newRow("not JSON") << QByteArray("组别,剂量\n1,2\n") << "不是Tavelmark分析数据文件";
        const auto text = [](const json& document) { return QByteArray::fromStdString(document.dump()); };
        QTest::newRow("cut short") << text(json{{"format", "tavelmark-analysis"}, {"formatVersion", 1}}).left(40)
                                   << "不是Tavelmark分析数据文件";
        QTest::newRow("another format") << text(json{{"format", "other"}, {"formatVersion", 1}})
                                        << "不是Tavelmark分析数据文件";
        QTest::newRow("a cell that is neither number nor text")
            << text(json{{"format", "tavelmark-analysis"}, {"formatVersion", 1}, {"analysis", "%KIND%"},
                         {"cells", json::array({json{{"ref", "B2"}, {"number", "12"}}})}})
            << "不是Tavelmark分析数据文件";
        QTest::newRow("newer format") << text(json{{"format", "tavelmark-analysis"}, {"formatVersion", 2},
                                                   {"analysis", "%KIND%"}, {"cells", json::array()}})
                                      << "较新版本";
        QTest::newRow("another analysis") << QByteArray("%OTHER%") << "不能在";
        QTest::newRow("cell beyond the grid")
            << text(json{{"format", "tavelmark-analysis"}, {"formatVersion", 1}, {"analysis", "%KIND%"},
                         {"cells", json::array({json{{"ref", "B2"}, {"number", 1}},
                                                json{{"ref", "Z999"}, {"number", 1}}})}})
            << "可录入区域之外";
        QTest::newRow("no such file") << QByteArray() << "无法打开文件";
    }

    void refusedFilesChangeNothing() {
        QFETCH(QByteArray, content);
        QFETCH(QString, because);
        for (const Analysis& a : Analyses()) {
            test::FakeWorkbench bench;
            DataEntryWindow* window = a.open(bench);
            Type(*window, a.typed);
            if (a.chooseOptions) a.chooseOptions(bench, *window);
            QVERIFY(window->saveTo(path("kept.tavelmark")));
            Type(*window, {{a.typed.front().first, 7.0}});  // an unsaved change on top

            QString bad = path(QStringLiteral("missing-%1.tavelmark").arg(QString::fromUtf8(a.analysis)));
            if (!content.isEmpty()) {
                std::string text = content.toStdString();
                if (text == "%OTHER%") {
                    documents::AnalysisDocument other;
                    other.analysis = std::string(a.analysis) == "means" ? "rates" : "means";
                    other.cells = {{model::Cell("B2"), 1.0}};
                    text = documents::WriteAnalysisDocument(other);
                }
                if (const auto at = text.find("%KIND%"); at != std::string::npos)
                    text.replace(at, 6, a.analysis);
                bad = path("bad.tavelmark");
                WriteBytes(bad, text);
            }
            const OnScreen before = Look(*window);
            QVERIFY(before.changed);
            QVERIFY2(!window->openFile(bad), a.name);
            QVERIFY2(Look(*window) == before, a.name);
            const auto box = LastDialog(bench);
            QVERIFY2(box, a.name);
            QCOMPARE(box->icon, report::MessageIcon::Critical);
            QCOMPARE(QString::fromStdString(box->title), QStringLiteral("打开数据"));
            QVERIFY2(QString::fromStdString(box->text).contains(because), box->text.c_str());
        }
    }

    // Every value inside the reachable area comes in, in one undoable step;
    // those beyond it are counted in a warning that names the area.
    void csvImportFillsTheReachableArea() {
        for (const Analysis& a : Analyses()) {
            test::FakeWorkbench bench;
            DataEntryWindow* window = a.open(bench);
            Type(*window, a.typed);
            const auto before = CellsOf(*window);
            const model::RangeRef area = window->grid().activeSheet().viewableRange();

            // Row 1 holds 1..30; row 400 (beyond every grid) holds 7.
            std::string csv;
            int outside = 1;
            for (int column = 1; column <= 30; ++column) {
                csv += (column > 1 ? "," : "") + std::to_string(column);
                if (!area.contains({1, column})) ++outside;
            }
            csv += "\n" + std::string(398, '\n') + "7\n";
            const QString file = path("import.csv");
            WriteBytes(file, csv);

            QVERIFY2(window->importCsv(file), a.name);
            for (int column = area.first.column; column <= area.last.column; ++column)
                QVERIFY2(window->grid().value({1, column}) == model::CellValue(double(column)), a.name);
            QVERIFY2(window->grid().value(model::Cell(a.typed.front().first)) == model::CellValue{}, a.name);
            QVERIFY(window->hasUnsavedChanges());
            const auto box = LastDialog(bench);
            QVERIFY2(box, a.name);
            QCOMPARE(box->icon, report::MessageIcon::Exclamation);
            QCOMPARE(QString::fromStdString(box->text),
                     QStringLiteral("有 %1 个数据位于表格可录入区域 %2 之外，未导入。")
                         .arg(outside)
                         .arg(QString::fromStdString(model::RangeName(area))));

            window->gridView()->undoStack()->undo();
            QVERIFY2(CellsOf(*window) == before, a.name);
        }
    }

    void csvImportReadsTheCommandLinesEncodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("read");
        // "组别,剂量" with the dose 35 below, in each encoding the reader knows.
        QTest::newRow("UTF-8") << QByteArray("\xe7\xbb\x84\xe5\x88\xab,x\n1,35\n") << true;
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbf\xe7\xbb\x84\xe5\x88\xab,x\n1,35\n") << true;
        QTest::newRow("GBK") << QByteArray("\xd7\xe9\xb1\xf0,x\n1,35\n") << true;
        const QString text = QStringLiteral("组别,x\n1,35\n");
        QTest::newRow("UTF-16LE with BOM")
            << QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)
            << true;
        QTest::newRow("neither UTF-8 nor GBK") << QByteArray("\xff\xff,x\n1,35\n") << false;
        QTest::newRow("a folder") << QByteArray() << false;
    }

    void csvImportReadsTheCommandLinesEncodings() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        test::FakeWorkbench bench;
        DataEntryWindow* window = bliss::desktop::ShowBlissInputWindow(bench);
        Type(*window, {{"B2", 12.0}});
        QString file = dir_.path();
        if (!bytes.isEmpty()) WriteBytes(file = path("encoded.csv"), bytes.toStdString());
        const OnScreen before = Look(*window);

        QCOMPARE(window->importCsv(file), read);
        if (read) {
            QVERIFY(window->grid().value("A1") == model::CellValue(std::string("组别")));
            QVERIFY(window->grid().value("B2") == model::CellValue(35.0));
            QVERIFY(bench.recorder.dialogs().empty());
        } else {
            QVERIFY(Look(*window) == before);
            const auto box = LastDialog(bench);
            QVERIFY(box);
            QCOMPARE(box->icon, report::MessageIcon::Critical);
            QCOMPARE(QString::fromStdString(box->title), QStringLiteral("导入CSV"));
        }
    }

    void closingAChangedWindowAsks_data() {
        QTest::addColumn<QString>("change");  // "none", "grid", "options"
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("nameGiven");  // the save dialog gives a name
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unchanged closes without a question") << "none" << 0 << false << false << true << false;
        QTest::newRow("取消 keeps it open") << "grid" << int(QMessageBox::Cancel) << false << true << false << false;
        QTest::newRow("不保存 closes") << "grid" << int(QMessageBox::Discard) << false << true << true << false;
        QTest::newRow("保存 saves and closes") << "grid" << int(QMessageBox::Save) << true << true << true << true;
        QTest::newRow("保存 then no name keeps it open")
            << "grid" << int(QMessageBox::Save) << false << true << false << false;
        QTest::newRow("changed options count") << "options" << int(QMessageBox::Cancel) << false << true << false
                                               << false;
    }

    void closingAChangedWindowAsks() {
        QFETCH(QString, change);
        QFETCH(int, answer);
        QFETCH(bool, nameGiven);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        for (const Analysis& a : Analyses()) {
            if (change == "options" && !a.chooseOptions) continue;
            test::FakeWorkbench bench;
            QPointer<DataEntryWindow> window = a.open(bench);
            if (change == "grid") Type(*window, a.typed);
            if (change == "options") a.chooseOptions(bench, *window);
            QStringList questions;
            window->setSaveQuestion([&](const QString& title, const QString& text) {
                questions << title + "|" + text;
                return QMessageBox::StandardButton(answer);
            });
            const QString file = path(QStringLiteral("closing-%1.tavelmark").arg(QString::fromUtf8(a.analysis)));
            QFile::remove(file);
            window->setFileChooser([&](ui::FileChoice choice, const QString&) {
                return choice == ui::FileChoice::SaveAnalysis && nameGiven ? file : QString();
            });
            const QString caption = window->caption();
            auto [holder, found] = ui::FindSubWindow<DataEntryWindow>(bench.area);
            QVERIFY(holder);
            holder->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

            QVERIFY2(questions.size() == (asked ? 1 : 0), a.name);
            if (asked) QCOMPARE(questions.front(), caption + "|数据已修改，是否保存？");
            QCOMPARE(window.isNull(), closed);
            QCOMPARE(QFile::exists(file), saved);
            if (saved) {
                const auto reread = documents::LoadAnalysisFile(file.toStdString(), analyses::Analyses(), a.analysis);
                QVERIFY(reread.document);
                QVERIFY(std::ranges::find(reread.document->cells,
                                          documents::SavedCell{model::Cell(a.typed.front().first),
                                                               a.typed.front().second}) !=
                        reread.document->cells.end());
            }
        }
    }

    // The title names the file and marks changes; undoing back to the saved
    // grid takes the mark away; a new caption from a menu command keeps the name.
    void titleShowsFileAndChanges() {
        test::FakeWorkbench bench;
        DataEntryWindow* window = means::desktop::ShowMeansInputWindow(bench, means::MeansMenuEntry::ItelAna);
        const QString caption = window->windowTitle();
        Type(*window, {{"A2", 1.0}});
        QCOMPARE(window->windowTitle(), caption + "*");
        QVERIFY(window->saveTo(path("实验 1.tavelmark")));
        QCOMPARE(window->windowTitle(), "实验 1.tavelmark - " + caption);
        Type(*window, {{"A2", 2.0}});
        QCOMPARE(window->windowTitle(), "实验 1.tavelmark* - " + caption);
        window->gridView()->undoStack()->undo();
        QCOMPARE(window->windowTitle(), "实验 1.tavelmark - " + caption);
        means::desktop::ShowMeansInputWindow(bench, means::MeansMenuEntry::AverComp);
        QCOMPARE(window->caption(), QString::fromUtf8(means::MeansMenu(means::MeansMenuEntry::AverComp).windowCaption));
        QCOMPARE(window->windowTitle(), "实验 1.tavelmark - " + window->caption());
    }

    void contextMenuKeepsItsEntriesAndAddsTheFiles() {
        test::FakeWorkbench bench;
        DataEntryWindow* window = rates::desktop::ShowRatesInputWindow(bench, rates::RatesMenuCommand::RateAna);
        const QStringList texts = ContextMenuTexts(window->gridView());
        const QStringList expected{"复制(&C)\tCtrl+C", "粘贴(&P)\tCtrl+V",    "撤消(&U)\tCtrl+Z",
                                   "清屏\tCtrl+Shift+Delete",
                                   "保存数据(&S) [Ctrl+S]", "数据另存为(&A)… [Ctrl+Shift+S]",
                                   "打开数据(&O)… [Ctrl+O]", "最近的数据文件(&R)", "导入CSV(&I)…"};
        QCOMPARE(texts, expected);
    }

    // Ctrl+S and Ctrl+O reach the window from its grid; a recent file opens
    // from the submenu.
    void keysAndRecentFiles() {
        test::FakeWorkbench bench;
        DataEntryWindow* window = ldk_compare::desktop::ShowLDkCompareWindow(bench);
        bench.main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&bench.main));
        const QString first = path("keys-1.tavelmark"), second = path("keys-2.tavelmark");
        QString chosen = first;
        QList<ui::FileChoice> asked;
        window->setFileChooser([&](ui::FileChoice choice, const QString&) {
            asked << choice;
            return chosen;
        });
        int questions = 0;
        window->setSaveQuestion([&](const QString&, const QString&) {
            ++questions;
            return QMessageBox::Discard;
        });
        Type(*window, {{"B2", 14.0}});
        window->gridView()->setFocus();
        QTest::keyClick(window->gridView(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(window->filePath(), first);
        Type(*window, {{"B2", 15.0}});
        QTest::keyClick(window->gridView(), Qt::Key_S, Qt::ControlModifier);  // to the same file, unasked
        QCOMPARE(asked.size(), 1);
        QVERIFY(!window->hasUnsavedChanges());
        Type(*window, {{"B2", 16.0}});
        chosen = second;
        QVERIFY(window->saveAs());
        QCOMPARE(ui::RecentFiles("ldk-compare").mid(0, 2), (QStringList{second, first}));

        Type(*window, {{"B2", 17.0}});
        chosen = first;
        QTest::keyClick(window->gridView(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(questions, 1);  // the 17 was not saved
        QCOMPARE(asked.back(), ui::FileChoice::OpenAnalysis);
        QCOMPARE(window->filePath(), first);
        QVERIFY(window->grid().value("B2") == model::CellValue(15.0));

        ContextMenuTexts(window->gridView());  // fills the recent-files submenu
        const QList<QAction*> recent = window->recentMenu()->actions();
        QVERIFY(recent.size() >= 2);
        QCOMPARE(recent.front()->text(), "&1 keys-1.tavelmark");
        recent.at(1)->trigger();
        QCOMPARE(window->filePath(), second);
        QVERIFY(window->grid().value("B2") == model::CellValue(16.0));
    }

    // A CSV file dropped onto the window is imported; an analysis file is opened.
    void droppedFiles() {
        test::FakeWorkbench bench;
        DataEntryWindow* window = ldk_compare::desktop::ShowLDkCompareWindow(bench);
        const QString csv = path("dropped.csv"), saved = path("dropped.tavelmark");
        WriteBytes(csv, "LDk,LD50,L95\nA,31.5,4\n");
        Type(*window, {{"B2", 15.5}});
        QVERIFY(window->saveTo(saved));
        auto drop = [window](const QString& file) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(file)});
            const QPointF at(window->width() / 2.0, window->height() / 2.0);
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window, &enter);
            if (!enter.isAccepted()) return false;
            QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(window, &dropped);
            return true;
        };
        QVERIFY(drop(csv));
        QVERIFY(window->grid().value("B2") == model::CellValue(31.5));
        QCOMPARE(window->filePath(), QFileInfo(saved).absoluteFilePath());  // an import keeps the file
        QVERIFY(window->hasUnsavedChanges());
        window->setSaveQuestion([](const QString&, const QString&) { return QMessageBox::Discard; });
        QVERIFY(drop(saved));
        QVERIFY(window->grid().value("B2") == model::CellValue(15.5));
        QVERIFY(!window->hasUnsavedChanges());
    }

    // Quitting asks each changed data-entry window; a cancel keeps the program open.
    void quittingAsksChangedWindows() {
        app::MainWindow main(app::FindResourceDir());
        main.show();
        QVERIFY(main.runCommand("mnuBliss"));
        auto [holder, window] = ui::FindSubWindow<DataEntryWindow>(main.mdiArea());
        QVERIFY(window);
        Type(*window, {{"D3", 9.0}});
        int asked = 0;
        QMessageBox::StandardButton answer = QMessageBox::Cancel;
        window->setSaveQuestion([&](const QString&, const QString&) {
            ++asked;
            return answer;
        });
        QVERIFY(!main.close());
        QVERIFY(main.isVisible());
        answer = QMessageBox::Discard;
        QVERIFY(main.close());
        QCOMPARE(asked, 2);
    }

    // `tavelmark FILE`: the window of the file's analysis opens with the
    // file; a bad file gets a message and opens nothing; an open window
    // with unsaved changes is asked first.
    void openingFromTheCommandLine() {
        for (const Analysis& a : Analyses()) {
            const QString file = path(QStringLiteral("%1.tavelmark").arg(QString::fromUtf8(a.analysis)));
            {
                test::FakeWorkbench bench;
                DataEntryWindow* window = a.open(bench);
                Type(*window, a.typed);
                QVERIFY(window->saveTo(file));
            }
            test::FakeWorkbench bench;
            QVERIFY2(app::OpenAnalysisFile(bench, file), a.name);
            auto [holder, window] = ui::FindSubWindow<DataEntryWindow>(bench.area);
            QVERIFY2(window, a.name);
            QCOMPARE(window->objectName(), a.objectName);
            QCOMPARE(window->filePath(), QFileInfo(file).absoluteFilePath());
            for (const auto& [cell, value] : a.typed) QVERIFY2(window->grid().value(cell) == value, cell);

            Type(*window, {{a.typed.front().first, 3.0}});
            window->setSaveQuestion([](const QString&, const QString&) { return QMessageBox::Cancel; });
            QVERIFY2(!app::OpenAnalysisFile(bench, file), a.name);
            QVERIFY2(window->grid().value(a.typed.front().first) == model::CellValue(3.0), a.name);
        }
        test::FakeWorkbench bench;
        WriteBytes(path("broken.tavelmark"), "{");
        QVERIFY(!app::OpenAnalysisFile(bench, path("broken.tavelmark")));
        QVERIFY(bench.area->subWindowList().isEmpty());
        QCOMPARE(bench.recorder.dialogs().size(), std::size_t{1});
    }
};

TAVELMARK_QTEST_CLASS(AnalysisFilesTest)
#include "test_analysis_files.moc"
