// tavelmark-cli bliss: the Bliss LD50 calculation from a CSV grid.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analyses/bliss/bliss_messages.h"
#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/ldk_calculator.h"
#include "analyses/bliss/leading_number.h"
#include "analyses/bliss/run_bliss.h"
#include "cli/commands.h"
#include "documents/analysis_options.h"

namespace tavelmark::cli {

using bliss::BlissFit, bliss::BlissOptions, bliss::BlissOutcome, bliss::LDkTexts,
    bliss::LDkTextsFor, bliss::LeadingNumber, bliss::RunBliss, bliss::WriteBlissTemplate;

namespace {

struct BlissCommandOptions {
    CommonOptions common;
    BlissOptions bliss;
    std::vector<std::string> ldk;
};

// What the options dialog's percent boxes let through: digits and points.
bool IsPercentText(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos;
}

}  // namespace

void AddBlissCommand(CLI::App& app, int& exitCode, Streams io) {
    auto* command = app.add_subcommand("bliss", "正规Bliss法 LD50 计算 (几率单位回归)");
    auto options = std::make_shared<BlissCommandOptions>();
    command->add_option("--background", options->bliss.backgroundText,
                        "本底死亡率 (%), 0 至 100 (不含)")
        ->default_str("0");
    command->add_flag("--intermediate", options->bliss.showIntermediate, "中间结果");
    command->add_flag("--fieller", options->bliss.showFieller, "Feiller氏Sx50校正");
    command->add_flag("--heterogeneity", options->bliss.showHeterogeneity, "异质性的全面校正");
    command->add_flag("--chart", options->bliss.drawChart,
                      "回归几率单位(Yr)对对数剂量(X)作图 (需 --intermediate)");
    // One value per --ldk, so that INPUT after it is not taken for a k.
    AddExtendedOption(*command, options->bliss.extended);
    command->add_option("--ldk", options->ldk, "计算 LDk (k 为百分数), 可重复")->allow_extra_args(false);
    AddCommonOptions(*command, options->common);

    command->callback([options, &exitCode, io] {
        const BlissOptions& bliss = options->bliss;
        if (!IsPercentText(bliss.backgroundText)) {
            io.err << "--background: 请输入 0 至 100 之间的百分数\n";
            exitCode = kUsageError;
            return;
        }
        if (LeadingNumber(bliss.backgroundText) >= 100) {
            io.err << bliss::text::kBackgroundRangeTitle << ": " << bliss::text::kBackgroundRange << '\n';
            exitCode = kUsageError;
            return;
        }
        if (!options->ldk.empty() && WritesToStandardOutput(options->common)) {
            io.err << "--ldk: 不能与 -o - 同时使用 (两者都写到标准输出)\n";
            exitCode = kUsageError;
            return;
        }
        for (const std::string& k : options->ldk)
            if (!bliss::IsComputedLDkLevel(k)) {
                io.err << "--ldk " << k << ": " << bliss::text::kLDkLevelRange << '\n';
                exitCode = kUsageError;
                return;
            }

        model::InputGrid grid;
        WriteBlissTemplate(grid);
        std::optional<BlissFit> fit;
        exitCode = RunCalculation(grid, options->common, io, [&](report::Prompter& prompter) {
            BlissOutcome outcome = RunBliss(grid, bliss, prompter, FindReportContext());
            fit = std::move(outcome.fit);
            return std::move(outcome.report);
        }, [&] { return documents::AnalysisDocument{documents::AnalysisKind::Bliss, {}, documents::OptionsJson(bliss), {}, {}}; });
        if (exitCode != kReportWritten || !fit) return;
        for (const std::string& k : options->ldk) {
            const LDkTexts texts = LDkTextsFor(fit->handOver(), k);
            io.out << "LDk\t" << texts.ldk << "\nL95\t" << texts.l95 << "\nML95\t" << texts.ml95 << '\n';
            if (!texts.why.empty()) io.err << "--ldk " << k << ": " << texts.why << '\n';
        }
    });
}

}  // namespace tavelmark::cli
