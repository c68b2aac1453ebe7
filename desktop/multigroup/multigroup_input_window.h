#pragma once
// frmMultigroupInput: the data-entry window of the several-groups comparison.
// One column per group, its name in row 1 and its values below (at most 10
// groups of 300 values); 计算 writes the report into a new result window,
// 参数设置 opens the options dialog, 在线帮助 the help box of its caption. It
// opens as 多组均数分析 (all pairs first) or as 各实验组与对照组均数比较 (the
// comparisons against the reference group first).
#include "analyses/multigroup/multigroup_options.h"
#include "ui/data_entry_window.h"

namespace tavelmark::multigroup::desktop {

inline constexpr const char* kWindowCaption = "多组均数分析数据录入";
inline constexpr const char* kControlWindowCaption = "各实验组与对照组均数比较数据录入";

const char* MultigroupWindowCaption(MultigroupFocus focus);

class MultigroupInputWindow : public ui::DataEntryWindow {
    Q_OBJECT
public:
    explicit MultigroupInputWindow(ui::Workbench& workbench, QWidget* parent = nullptr);

    // The comparison the window leads with; setting it sets the caption.
    MultigroupFocus comparisonFocus() const { return focus_; }
    void setComparisonFocus(MultigroupFocus focus);

private:
    // Group names are typed into row 1, numbers below it.
    void keysOfRow(int row);

    MultigroupFocus focus_ = MultigroupFocus::AllPairs;
};

}  // namespace tavelmark::multigroup::desktop
