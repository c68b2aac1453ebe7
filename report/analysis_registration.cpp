#include "report/analysis_registration.h"

namespace tavelmark::report {

bool Given(const CommandLineValues& values, std::string_view name) { return values.find(name) != values.end(); }

const std::vector<std::string>& ValuesOf(const CommandLineValues& values, std::string_view name) {
    static const std::vector<std::string> kNone;
    const auto it = values.find(name);
    return it == values.end() ? kNone : it->second;
}

const AnalysisRegistration* FindAnalysis(AnalysisCatalogue analyses, std::string_view name) {
    for (const AnalysisRegistration* analysis : analyses)
        if (analysis->name == name) return analysis;
    return nullptr;
}

}  // namespace tavelmark::report
