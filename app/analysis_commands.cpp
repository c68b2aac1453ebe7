#include "app/analysis_commands.h"

#ifdef TAVELMARK_WITH_BLISS_UI
#include "analyses/bliss/ui/bliss_commands.h"
#endif
#ifdef TAVELMARK_WITH_MEANS_UI
#include "analyses/means/ui/means_commands.h"
#endif
#ifdef TAVELMARK_WITH_RATES_UI
#include "analyses/rates/ui/rates_commands.h"
#endif
#ifdef TAVELMARK_WITH_LDK_COMPARE_UI
#include "analyses/ldk_compare/ui/ldk_compare_commands.h"
#endif

namespace tavelmark::app {

void RegisterAnalysisCommands([[maybe_unused]] ui::CommandTable& table) {
#ifdef TAVELMARK_WITH_BLISS_UI
    ui::RegisterBlissCommands(table);
#endif
#ifdef TAVELMARK_WITH_MEANS_UI
    ui::RegisterMeansCommands(table);
#endif
#ifdef TAVELMARK_WITH_RATES_UI
    ui::RegisterRatesCommands(table);
#endif
#ifdef TAVELMARK_WITH_LDK_COMPARE_UI
    ui::RegisterLDkCompareCommands(table);
#endif
}

}  // namespace tavelmark::app
