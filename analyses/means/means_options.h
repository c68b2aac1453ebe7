#pragma once
// The result-items dialog's choices: which optional sections the report
// carries (listed with their captions and writers in means_sections.h). The
// main table and the recommendation are always written.
namespace tavelmark::means {

struct MeansOptions {
    bool tTests = false;
    bool description = false;
    bool sampleSize = false;
    bool equivalence = false;
    bool rankSum = false;
    bool normality = false;
    bool variance = false;
    // 扩展结果: the second sheet of modern estimates, not one of the sections.
    bool extended = false;

    // Every section; the second sheet stays a choice of its own.
    static MeansOptions All() { return {true, true, true, true, true, true, true, false}; }
};

}  // namespace tavelmark::means
