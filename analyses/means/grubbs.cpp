#include "analyses/means/grubbs.h"

namespace tavelmark::means {

using report::MessageIcon, report::Prompter;

const std::array<GrubbsTableLine, 30> kGrubbsTable = {{
    {3, 1.15},  {4, 1.46},  {5, 1.67},  {6, 1.82},  {7, 1.94},  {8, 2.03},
    {9, 2.11},  {10, 2.18}, {11, 2.23}, {12, 2.29}, {13, 2.33}, {14, 2.37},
    {15, 2.41}, {16, 2.44}, {17, 2.47}, {18, 2.50}, {19, 2.53}, {20, 2.56},
    {21, 2.58}, {22, 2.60}, {23, 2.62}, {24, 2.64}, {25, 2.66}, {30, 2.75},
    {35, 2.82}, {40, 2.87}, {50, 2.96}, {60, 3.03}, {80, 3.14}, {100, 3.21},
}};

std::optional<double> GrubbsCriticalValue(int n) {
    if (n < kGrubbsTable.front().n || n > kGrubbsTable.back().n) return std::nullopt;
    for (std::size_t i = 0; i < kGrubbsTable.size(); ++i) {
        const auto& line = kGrubbsTable[i];
        if (n == line.n) return line.critical;
        if (i + 1 < kGrubbsTable.size() && n > line.n && n < kGrubbsTable[i + 1].n) {
            const auto& next = kGrubbsTable[i + 1];
            return line.critical +
                   (n - line.n) * (next.critical - line.critical) / (next.n - line.n);
        }
    }
    return std::nullopt;
}

std::optional<double> GrubbsCritical(int n, Prompter& prompter) {
    if (n < kGrubbsTable.front().n) {
        prompter.message(kGrubbsTooFew, kGrubbsNoticeTitle, MessageIcon::None);
        return std::nullopt;
    }
    if (n > kGrubbsTable.back().n) {
        prompter.message(kGrubbsTooMany, kGrubbsNoticeTitle, MessageIcon::None);
        return std::nullopt;
    }
    return GrubbsCriticalValue(n);
}

}  // namespace tavelmark::means
