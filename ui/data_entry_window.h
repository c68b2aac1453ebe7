#pragma once
// The one data-entry window of every analysis: a grid, the buttons 在线帮助,
// 参数设置 (where the analysis has options) and 计算, and the way back to
// the grid after a refusal. An analysis configures it with a plain record:
// its names and captions, its grid's key set, its layout, and the functions
// that set up the grid, calculate, open the options and give the help box.
// What every window shares beyond that is here, once: saving the grid and
// the options to an analysis file and opening one again, importing a CSV
// file, and asking before changes are lost.
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include <QMessageBox>
#include <QString>
#include <QWidget>

#include <nlohmann/json.hpp>

#include "documents/analysis_document.h"
#include "model/input_grid.h"
#include "model/key_filter.h"
#include "report/analysis_registration.h"
#include "report/help_text.h"
#include "report/report_outcome.h"
#include "ui/workbench.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;

namespace tavelmark::ui {

class DataEntryWindow;
class GridView;
class ResultWindow;

// A button's object name (as screen readers and tests find it), caption and
// tooltip; no object name: the window has no such button.
struct ButtonDesign {
    const char* objectName = nullptr;
    const char* caption = nullptr;
    const char* toolTip = nullptr;
};

// What one calculation gave: the outcome, and what follows once its result
// window (if any) is shown.
struct Calculation {
    report::ReportOutcome outcome;
    std::function<void(ResultWindow* shown)> afterShown;
};

struct DataEntryDesign {
    // The analysis the window enters data for: its files name it and its
    // options are checked by it. There is no design without one.
    explicit DataEntryDesign(const report::AnalysisRegistration& of) : analysis(of) {}

    const report::AnalysisRegistration& analysis;
    QString objectName;  // frmBlissInput, frmIntelDAveInput, frmChiInput, frmLDkInput
    QString caption;
    QString accessibleName;
    model::GridKeySet keySet = model::GridKeySet::Decimals;
    // Sheet columns that take any key, beside the key set: names typed in.
    std::vector<int> textColumns;
    QString gridToolTip;
    QString gridAccessibleName;
    QString gridAccessibleDescription;  // the tooltip when empty
    ButtonDesign helpButton, settingsButton, calculateButton;
    // The grid is the window's width less this when a menu command rewrites it.
    double gridMarginTwips = 100;

    std::function<void(model::InputGrid&)> setUpGrid;  // the stored design, before the view measures it
    std::function<void(DataEntryWindow&)> layOut;      // sizes and places the grid and the buttons
    std::function<Calculation(DataEntryWindow&)> calculate;
    std::function<void(DataEntryWindow&)> showSettings;
    std::function<std::optional<report::HelpBox>(DataEntryWindow&)> helpBox;

    // Saved analyses: the window's options as the file holds them (from the
    // settings dialog's state) and back, from options the analysis checked.
    // Without these the analysis has no options and saves an empty object.
    std::function<nlohmann::json(DataEntryWindow&)> options;
    std::function<void(DataEntryWindow&, const nlohmann::json&)> applyOptions;
};

// The file dialogs a window opens, replaceable in tests; an empty name
// means the user cancelled.
enum class FileChoice { SaveAnalysis, OpenAnalysis, ImportCsv };
using FileChooser = std::function<QString(FileChoice choice, const QString& suggested)>;
// The question before changes are lost: Save, Discard or Cancel.
using SaveQuestion = std::function<QMessageBox::StandardButton(const QString& title, const QString& text)>;

class DataEntryWindow : public QWidget {
    Q_OBJECT
public:
    DataEntryWindow(Workbench& workbench, DataEntryDesign design, QWidget* parent = nullptr);

    Workbench& workbench() { return workbench_; }
    const report::AnalysisRegistration& analysis() const { return design_.analysis; }
    model::InputGrid& grid() { return grid_; }
    GridView* gridView() const { return gridView_; }
    QPushButton* helpButton() const { return helpButton_; }
    QPushButton* settingsButton() const { return settingsButton_; }  // null without options
    QPushButton* calculateButton() const { return calculateButton_; }

    // After a menu command wrote the grid: show it, size the grid to the
    // window and give it the focus.
    void gridWritten();

    // The analysis's caption, as the title shows it before the file name.
    QString caption() const { return caption_; }

    // The analysis file the window was last saved to or opened from; empty
    // for a new window.
    QString filePath() const { return filePath_; }
    // Whether the grid's values or the options differ from that file (from
    // the window as it opened, when there is none).
    bool hasUnsavedChanges();
    // The options as a file holds them, read from the settings dialog, and
    // set from options the analysis checked (an opened file).
    nlohmann::json currentOptions();
    void applyOptions(const nlohmann::json& options);
    // An option set in the window itself changed: the title marks it.
    void optionsChanged() { updateTitle(); }

    // Each of these tells the user why when it fails, and then changes
    // nothing on screen.
    bool saveTo(const QString& path);
    bool openFile(const QString& path);
    bool importCsv(const QString& path);

    // Asks 保存/不保存/取消 when there are unsaved changes; false when the
    // user cancels or the save failed.
    bool confirmDiscard();

    QAction* saveAction() const { return saveAction_; }
    QAction* saveAsAction() const { return saveAsAction_; }
    QAction* openAction() const { return openAction_; }
    QAction* importAction() const { return importAction_; }
    QMenu* recentMenu() const { return recentMenu_; }

    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    void setSaveQuestion(SaveQuestion question) { askToSave_ = std::move(question); }

public slots:
    void calculate();
    void showSettings();
    void showHelp();
    bool save();    // to the file it came from, or to one the user names
    bool saveAs();
    void open();    // a file the user picks, after asking about changes
    void import();  // a CSV file the user picks

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What a file would hold now: the values, then the options.
    struct Snapshot {
        std::vector<documents::SavedCell> cells;
        nlohmann::json options;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot();
    void setUpFileActions();
    void markSaved(const QString& path);
    void updateTitle();
    void fillRecentMenu();
    QString chooseFile(FileChoice choice);

    Workbench& workbench_;
    DataEntryDesign design_;
    model::InputGrid grid_;
    GridView* gridView_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* calculateButton_ = nullptr;

    QString caption_;
    QString filePath_;
    std::optional<Snapshot> saved_;  // taken when the window is first shown
    bool titling_ = false;  // the window itself is setting its title
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* importAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    FileChooser chooseFile_;
    SaveQuestion askToSave_;
};

// The open data-entry window of that analysis (by its registered name) and
// the frame holding it; both null when none is open.
std::pair<QMdiSubWindow*, DataEntryWindow*> FindDataEntryWindow(QMdiArea* area, std::string_view analysis);

}  // namespace tavelmark::ui
