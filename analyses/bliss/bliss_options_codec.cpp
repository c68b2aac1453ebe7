#include "analyses/bliss/bliss_options_codec.h"

#include "analyses/bliss/leading_number.h"

namespace tavelmark::bliss {

using nlohmann::json;

namespace {

bool Flag(const json& options, const char* name, bool otherwise) {
    const auto it = options.find(name);
    return it != options.end() && it->is_boolean() ? it->get<bool>() : otherwise;
}

}  // namespace

bool IsBackgroundText(std::string_view text) {
    return text.find_first_not_of("0123456789.") == std::string_view::npos && LeadingNumber(text) < 100;
}

json BlissOptionsToJson(const BlissOptions& o) {
    return {{"backgroundPercent", o.backgroundText}, {"intermediate", o.showIntermediate},
            {"fieller", o.showFieller},              {"heterogeneity", o.showHeterogeneity},
            {"ldkCalculator", o.openLDkCalculator},  {"chart", o.drawChart},
            {"extended", o.extended}};
}

std::variant<BlissOptions, std::string> BlissOptionsFromJson(const json& options) {
    BlissOptions o;
    if (const auto it = options.find("backgroundPercent"); it != options.end() && it->is_string()) {
        o.backgroundText = it->get<std::string>();
        if (!IsBackgroundText(o.backgroundText))
            return "选项 backgroundPercent 的值 \"" + o.backgroundText +
                   "\" 不是本底死亡率: 应为 0 至 100 (不含 100) 之间的百分数, 只含数字与小数点";
    }
    o.showIntermediate = Flag(options, "intermediate", o.showIntermediate);
    o.showFieller = Flag(options, "fieller", o.showFieller);
    o.showHeterogeneity = Flag(options, "heterogeneity", o.showHeterogeneity);
    o.openLDkCalculator = Flag(options, "ldkCalculator", o.openLDkCalculator);
    o.drawChart = Flag(options, "chart", o.drawChart);
    o.extended = Flag(options, "extended", o.extended);
    return o;
}

}  // namespace tavelmark::bliss
