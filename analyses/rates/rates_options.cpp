#include "analyses/rates/rates_options.h"

namespace tavelmark::rates {

namespace {

// Options or const options: the field of an item, or nullptr.
template <class Options>
auto ItemField(Options& o, int index) -> decltype(&o.tTest) {
    switch (index) {
        case 4: return &o.mantelHaenszel;
        case 5: return &o.tTest;
        case 6: return &o.uTest;
        case 7: return &o.uPrimeTest;
        case 8: return &o.likelihoodRatio;
        case 9: return &o.sampleSize;
        case 10: return &o.rates;
        case 11: return &o.odds;
        case 12: return &o.equivalence;
        default: return nullptr;
    }
}

}  // namespace

bool RatesOptions::item(int index) const {
    const bool* field = ItemField(*this, index);
    return field && *field;
}

void RatesOptions::setItem(int index, bool chosen) {
    if (bool* field = ItemField(*this, index)) *field = chosen;
}

RatesOptions RatesOptions::All() {
    RatesOptions o;
    for (int i = kFirstOptionalItem; i <= kLastItem; ++i) o.setItem(i, true);
    return o;
}

}  // namespace tavelmark::rates
