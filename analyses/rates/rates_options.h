#pragma once
// The request record of the two-group rates calculation: which optional rows
// and sections the report holds (the items of the options dialog), and the
// caption of the data-entry window, which picks the report's title.
#include <string>

namespace tavelmark::rates {

inline constexpr const char* kRatesWindowCaption = "智能化两组阳性率分析(2×2卡方法)数据录入";

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

    std::string windowCaption = kRatesWindowCaption;

    static constexpr int kFirstOptionalItem = 4;
    static constexpr int kLastItem = 12;

    // By the dialog's item index 4..12; other indexes read false and are not set.
    bool item(int index) const;
    void setItem(int index, bool chosen);
    static RatesOptions All();
};

}  // namespace tavelmark::rates
