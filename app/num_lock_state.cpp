#include "app/num_lock_state.h"

#include <QGuiApplication>

#ifdef TAVELMARK_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace tavelmark::app {

std::optional<bool> QueryNumLock() {
#ifdef TAVELMARK_HAVE_X11
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        unsigned int indicators = 0;
        if (Display* display = x11->display();
            display != nullptr && XkbGetIndicatorState(display, XkbUseCoreKbd, &indicators) == Success) {
            // the num-lock LED is the second indicator in the core keyboard map
            return (indicators & 0x02U) != 0;
        }
    }
#endif
    return std::nullopt;
}

}  // namespace tavelmark::app
