#pragma once
// The online help box of the two-group rates window, chosen by its caption.
#include <optional>
#include <string_view>

#include "analyses/rates/rates_options.h"
#include "report/help_text.h"

namespace tavelmark::rates {

// The box for the window's caption as `captionCommand` set it.
report::HelpBox RatesHelpBox(RatesMenuCommand captionCommand);

}  // namespace tavelmark::rates
