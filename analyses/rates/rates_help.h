#pragma once
// The online help box of the two-group rates window, chosen by its caption.
#include <optional>
#include <string_view>

#include "report/help_text.h"

namespace tavelmark::rates {

// The box for one of the window's three captions; empty for any other
// caption, for which the help button shows nothing.
std::optional<report::HelpBox> RatesHelpBox(std::string_view windowCaption);

}  // namespace tavelmark::rates
