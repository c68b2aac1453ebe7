#include "report/calculate.h"

namespace tavelmark::report {

void Refuse(Prompter& prompter, model::InputGrid& grid, const Refusal& refusal) {
    auto select = [&] {
        if (!refusal.select) return;
        grid.select(*refusal.select);
        grid.notifyChanged();
        prompter.showGridSelection(*refusal.select);
    };
    if (refusal.order == SelectionOrder::BeforeMessage) select();
    prompter.message(refusal.text, refusal.title, refusal.icon);
    if (refusal.order == SelectionOrder::AfterMessage) select();
}

}  // namespace tavelmark::report
