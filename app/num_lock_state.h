#pragma once
// Whether num lock is on, where the platform can tell.
#include <optional>

namespace tavelmark::app {

// Empty when the windowing system gives no answer (offscreen, Wayland).
std::optional<bool> QueryNumLock();

}  // namespace tavelmark::app
