// tavelmark-cli means: the two-group means analysis in batch mode. Outlier
// questions are answered No (the prompter says so on standard error), so a
// batch run never changes the data it was given.
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "analyses/means/means_options.h"
#include "analyses/means/means_sections.h"
#include "documents/analysis_options.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "cli/commands.h"

namespace tavelmark::cli {

using means::MeansOptions, means::RunMeans, means::WriteMeansTemplate;

namespace {

// The result-items dialog's check boxes by their command-line names.
const std::map<std::string, bool MeansOptions::*>& SectionNames() {
    static const std::map<std::string, bool MeansOptions::*> names = [] {
        std::map<std::string, bool MeansOptions::*> byName;
        for (const auto& section : means::kMeansSections) byName[section.cliName] = section.chosen;
        return byName;
    }();
    return names;
}

std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> names;
    std::string::size_type start = 0;
    while (start <= list.size()) {
        const auto comma = std::min(list.find(',', start), list.size());
        if (comma > start) names.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

CLI::Validator SectionListValidator(const std::vector<std::string>& known) {
    return CLI::Validator(
        [known](std::string& list) -> std::string {
            for (const auto& name : SplitList(list))
                if (std::find(known.begin(), known.end(), name) == known.end())
                    return "未知的报告部分 \"" + name + "\" (可选: " + CLI::detail::join(known, ",") + ")";
            return {};
        },
        "LIST");
}

struct MeansCommandOptions {
    CommonOptions common;
    std::string sections;  // "variance,rank-sum"
    bool all = false;
    bool extended = false;

    MeansOptions toMeansOptions() const {
        MeansOptions chosen = all ? MeansOptions::All() : MeansOptions{};
        for (const auto& name : SplitList(sections)) chosen.*SectionNames().at(name) = true;
        chosen.extended = extended;
        return chosen;
    }
};

}  // namespace

void AddMeansCommand(CLI::App& app, int& exitCode, Streams io) {
    auto* command = app.add_subcommand(
        "means", "智能化两组均数分析 (t检验, t'检验及非参检验; A列 T组, B列 R组)");
    auto options = std::make_shared<MeansCommandOptions>();
    std::vector<std::string> names;
    for (const auto& [name, field] : SectionNames()) names.push_back(name);

    auto* sections = command
                         ->add_option("--sections", options->sections,
                                      "报告的可选部分, 逗号分隔")
                         ->check(SectionListValidator(names));
    command->add_flag("--all", options->all, "写出报告的全部可选部分")->excludes(sections);
    AddExtendedOption(*command, options->extended);
    AddCommonOptions(*command, options->common);

    command->callback([options, &exitCode, io] {
        model::InputGrid grid;
        WriteMeansTemplate(grid);
        const MeansOptions means = options->toMeansOptions();
        exitCode = RunCalculation(
            grid, options->common, io,
            [&](report::Prompter& prompter) { return RunMeans(grid, means, prompter, FindReportContext()); },
            [&] { return documents::AnalysisDocument{documents::AnalysisKind::Means, {}, documents::OptionsJson(means), {}, {}}; });
    });
}

}  // namespace tavelmark::cli
