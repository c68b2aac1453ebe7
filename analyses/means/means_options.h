#pragma once
// The result-items dialog's choices: which optional sections the report
// carries. The main table and the recommendation are always written.
namespace tavelmark::means {

struct MeansOptions {
    bool tTests = false;        // "t和t'检验结果"
    bool description = false;   // "统计描述"
    bool sampleSize = false;    // "例数估算"
    bool equivalence = false;   // "等效性检验"
    bool rankSum = false;       // "非参检验(W-M-W法)"
    bool normality = false;     // "正态性检验"
    bool variance = false;      // "方差齐性检验"

    static MeansOptions All() { return {true, true, true, true, true, true, true}; }
};

}  // namespace tavelmark::means
