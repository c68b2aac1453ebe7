#include <algorithm>

#include "numeric/quantal_fit.h"

namespace tavelmark::numeric {

SeparationDirection LineSeparation(const std::vector<LinePoint>& line) {
    bool anyResponse = false, anyNonResponse = false;
    double lowestResponse = 0, highestResponse = 0, lowestNon = 0, highestNon = 0;
    for (const LinePoint& p : line) {
        if (p.positives > 0) {
            lowestResponse = anyResponse ? std::min(lowestResponse, p.x) : p.x;
            highestResponse = anyResponse ? std::max(highestResponse, p.x) : p.x;
            anyResponse = true;
        }
        if (p.positives < p.n) {
            lowestNon = anyNonResponse ? std::min(lowestNon, p.x) : p.x;
            highestNon = anyNonResponse ? std::max(highestNon, p.x) : p.x;
            anyNonResponse = true;
        }
    }
    if (!anyResponse || !anyNonResponse) return SeparationDirection::Both;
    const bool rising = highestNon <= lowestResponse;
    const bool falling = highestResponse <= lowestNon;
    if (rising && falling) return SeparationDirection::Both;
    if (rising) return SeparationDirection::Rising;
    if (falling) return SeparationDirection::Falling;
    return SeparationDirection::None;
}

bool SeparateLinesSeparated(const std::vector<std::vector<LinePoint>>& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const std::vector<LinePoint>& line) {
        return LineSeparation(line) != SeparationDirection::None;
    });
}

namespace {

bool OneKindOfResponse(const std::vector<LinePoint>& line) {
    const auto none = [](const LinePoint& p) { return p.positives == 0; };
    const auto all = [](const LinePoint& p) { return p.positives == p.n; };
    return std::all_of(line.begin(), line.end(), none) || std::all_of(line.begin(), line.end(), all);
}

}  // namespace

// A direction in which the likelihood rises for ever either moves one
// line's intercept alone (that line has no response or no non-response) or
// moves the common slope, and then every line must be separated the way the
// slope moves.
bool ParallelLinesSeparated(const std::vector<std::vector<LinePoint>>& lines) {
    if (lines.empty()) return false;
    bool allRising = true, allFalling = true;
    for (const std::vector<LinePoint>& line : lines) {
        const SeparationDirection d = LineSeparation(line);
        if (d == SeparationDirection::Both && OneKindOfResponse(line)) return true;
        allRising = allRising && (d == SeparationDirection::Rising || d == SeparationDirection::Both);
        allFalling = allFalling && (d == SeparationDirection::Falling || d == SeparationDirection::Both);
    }
    return allRising || allFalling;
}

}  // namespace tavelmark::numeric
