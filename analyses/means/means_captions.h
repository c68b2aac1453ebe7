#pragma once
// The three menu entries that open the two-group means window, the window
// captions they leave, and the online help box that goes with each caption.
#include <optional>
#include <string>
#include <string_view>

#include "report/help_text.h"

namespace tavelmark::means {

enum class MeansMenuEntry { AverAna, AverComp, ItelAna };

struct MeansMenuCommand {
    const char* objectName;  // "mnuAverAna"
    const char* caption;     // the menu text
    bool enabled;
    // The caption the window gets; empty: the window keeps its own.
    const char* windowCaption;
};

MeansMenuCommand MeansMenu(MeansMenuEntry entry);

inline constexpr const char* kMeansWindowCaption = "智能化两组均数分析数据录入";
inline constexpr const char* kMeansCompareCaption =
    "智能化两样本均数比较(两组t检验，t'检验及非参检验)数据录入";
inline constexpr const char* kMeansIntelligentCaption =
    "智能化分析(两组t检验,t'检验及非参检验)数据录入";

// The help box for the window's current caption; none for any other caption.
std::optional<report::HelpBox> MeansHelpBox(std::string_view windowCaption);

}  // namespace tavelmark::means
