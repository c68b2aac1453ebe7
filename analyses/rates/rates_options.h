#pragma once
// The request record of the two-group rates calculation: which optional rows
// and sections the report holds (the items of the options dialog), and the
// menu command behind the data-entry window's caption, which picks the
// report's title.
#include <string>

namespace tavelmark::rates {

inline constexpr const char* kRatesWindowCaption = "智能化两组阳性率分析(2×2卡方法)数据录入";

// The menu commands that open the window, by their menu entries.
enum class RatesMenuCommand {
    RateAna,    // mnuRateAna "智能化两组有效率分析": the template
    EnRateAna,  // mnuEnRateAna "两组有效率分析": template, caption "阳性率分析..."
    RateComp,   // mnuRateComp "两样本率比较": template, caption "...两样本率比较...", 处理1/处理2
    OddAna,     // mnuOddAna "比数比分析": template, odds item chosen
};

struct RatesOptions {
    // Items 4 to 12 of the options dialog; items 1 to 3 are always reported.
    bool mantelHaenszel = false;   // 4
    bool tTest = false;            // 5
    bool uTest = false;            // 6
    bool uPrimeTest = false;       // 7
    bool likelihoodRatio = false;  // 8
    bool sampleSize = false;       // 9
    bool rates = false;            // 10
    bool odds = false;             // 11
    bool equivalence = false;      // 12
    // 扩展结果: the second sheet of modern estimates, not one of the items.
    bool extended = false;

    // The menu command that last set the window's caption (RateAna until one
    // did): the caption, the help box and the report's title follow from it.
    RatesMenuCommand captionCommand = RatesMenuCommand::RateAna;

    static constexpr int kFirstOptionalItem = 4;
    static constexpr int kLastItem = 12;

    // By the dialog's item index 4..12; other indexes read false and are not set.
    bool item(int index) const;
    void setItem(int index, bool chosen);
    static RatesOptions All();
};

}  // namespace tavelmark::rates
