// The spreadsheet's number display, on the spreadsheet's rounding rule
// (format/rounding.h): 15 significant decimal digits, halves away from zero.
#include "format/number_format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "format/rounding.h"

namespace tavelmark::format {

namespace {

Decimal RoundedToSignificant(const Decimal& d, int significant) {
    return RoundHalfAwayFromZero(d, significant - d.point);
}

// Integer digits without leading zeros ("" for a value below 1).
std::string IntegerDigits(const Decimal& d) {
    std::string s;
    for (int i = 0; i < d.point; ++i) s.push_back(d.digitAt(i));
    return s;
}

std::string FractionDigits(const Decimal& d, int decimals) {
    std::string s;
    for (int i = 0; i < decimals; ++i) s.push_back(d.digitAt(d.point + i));
    return s;
}

// "1.23457E+11": as many of six significant digits as fit in `width`
// characters beside the exponent of at least two digits; empty when not even
// one digit fits. Also the digits it shows.
struct Scientific {
    std::string text;
    std::size_t digits = 0;
};
Scientific ScientificGeneral(const Decimal& magnitude, int width) {
    for (int significant = 6; significant >= 1; --significant) {
        const Decimal r = RoundedToSignificant(magnitude, significant);
        const int exponent = r.point - 1;
        std::string s(1, r.digits[0]);
        if (r.digits.size() > 1) s += "." + r.digits.substr(1);
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        s += e;
        if (static_cast<int>(s.size()) <= width) return {s, r.digits.size()};
    }
    return {};
}

std::string FixedText(const Decimal& d, int decimals) {
    std::string s = IntegerDigits(d);
    if (s.empty()) s = "0";
    if (decimals > 0) {
        std::string f = FractionDigits(d, decimals);
        while (!f.empty() && f.back() == '0') f.pop_back();
        if (!f.empty()) s += "." + f;
    }
    return s;
}

// General in a cell of `width` characters (sign not counted; 11 in a cell of
// standard width): a value below 1 keeps width - 2 decimals and a larger one
// fewer; trailing zeros go. Scientific notation takes over when the integer
// part needs more than the width, or when it shows more significant digits
// than the fixed form can (0.000012345678 -> 1.23457E-05, 1E-10). A fixed
// form that rounds to zero is never shown; empty when no form fits.
std::string GeneralMagnitude(double v, int width) {
    const Decimal magnitude = DecimalMagnitude(v);
    if (magnitude.isZero()) return width >= 1 ? "0" : "";
    const Scientific scientific = ScientificGeneral(magnitude, width);
    if (magnitude.point <= width) {
        const int integerDigits = std::max(1, magnitude.point);
        const int decimals = std::max(0, width - integerDigits - 1);
        const Decimal fixed = RoundHalfAwayFromZero(magnitude, decimals);
        std::string text = FixedText(fixed, decimals);
        if (static_cast<int>(text.size()) <= width && !fixed.isZero() &&
            fixed.digits.size() >= scientific.digits)
            return text;
    }
    return scientific.text;
}

bool StartsWithGeneral(std::string_view s, std::size_t at) {
    static constexpr std::string_view kGeneral = "general";
    if (s.size() - at < kGeneral.size()) return false;
    for (std::size_t i = 0; i < kGeneral.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[at + i])) != kGeneral[i]) return false;
    return true;
}

// One section of a number format, taken apart.
struct Token {
    enum Kind { Literal, Digit, Point, Grouping, Percent, Exponent, General } kind;
    std::string text;  // Literal: the text; Digit: "0", "#" or "?"; Exponent: "+" or "-"
};

struct Section {
    std::vector<Token> tokens;
    int scaleBy1000 = 0;  // trailing commas after the last digit: divide by 1000 each
    int percents = 0;
};

std::vector<std::string_view> SplitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"') quoted = !quoted;
        else if (!quoted && c == '\\') ++i;
        else if (!quoted && c == ';') {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(start));
    return sections;
}

bool IsPlaceholder(char c) { return c == '0' || c == '#' || c == '?'; }

Section ParseSection(std::string_view s) {
    Section section;
    auto& tokens = section.tokens;
    bool seenPoint = false;
    bool inExponent = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            const std::size_t end = s.find('"', i + 1);
            const std::size_t stop = end == std::string_view::npos ? s.size() : end;
            tokens.push_back({Token::Literal, std::string(s.substr(i + 1, stop - i - 1))});
            i = stop;
        } else if (c == '\\' && i + 1 < s.size()) {
            tokens.push_back({Token::Literal, std::string(1, s[++i])});
        } else if (c == '_' && i + 1 < s.size()) {
            tokens.push_back({Token::Literal, " "});  // a pad as wide as the next character
            ++i;
        } else if (c == '*' && i + 1 < s.size()) {
            ++i;  // fill to the column width: nothing to fill in a text
        } else if (c == '[') {
            const std::size_t end = s.find(']', i);
            i = end == std::string_view::npos ? s.size() : end;  // colour or condition
        } else if (IsPlaceholder(c)) {
            tokens.push_back({Token::Digit, std::string(1, c)});
        } else if (c == '.' && !seenPoint && !inExponent) {
            seenPoint = true;
            tokens.push_back({Token::Point, "."});
        } else if (c == ',') {
            tokens.push_back({Token::Grouping, ","});  // sorted out below
        } else if (c == '%') {
            ++section.percents;
            tokens.push_back({Token::Percent, "%"});
        } else if ((c == 'E' || c == 'e') && i + 2 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-') &&
                   IsPlaceholder(s[i + 2]) && !inExponent) {
            inExponent = true;
            tokens.push_back({Token::Exponent, std::string(1, s[i + 1])});
            ++i;
        } else if ((c == 'G' || c == 'g') && StartsWithGeneral(s, i)) {
            tokens.push_back({Token::General, ""});
            i += 6;
        } else if (c == '@') {
            // text placeholder: a number has no text to put there
        } else {
            tokens.push_back({Token::Literal, std::string(1, c)});
        }
    }
    // A comma between integer placeholders groups thousands; commas right
    // after the last placeholder of the number scale it down by 1000 each;
    // any other comma is printed as it stands.
    std::size_t lastNumberDigit = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Exponent) break;
        if (tokens[i].kind == Token::Digit) lastNumberDigit = i;
    }
    enum class CommaRole { Grouping, Scaling, Literal };
    std::vector<CommaRole> roles(tokens.size(), CommaRole::Literal);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Token::Grouping) continue;
        bool digitBefore = false, digitAfterInInteger = false;
        for (std::size_t j = 0; j < i; ++j) digitBefore |= tokens[j].kind == Token::Digit;
        for (std::size_t j = i + 1; j < tokens.size(); ++j) {
            if (tokens[j].kind == Token::Point || tokens[j].kind == Token::Exponent) break;
            digitAfterInInteger |= tokens[j].kind == Token::Digit;
        }
        bool onlyCommasSinceLastDigit = lastNumberDigit < i;
        for (std::size_t j = lastNumberDigit + 1; onlyCommasSinceLastDigit && j < i; ++j)
            onlyCommasSinceLastDigit = tokens[j].kind == Token::Grouping;
        if (digitBefore && digitAfterInInteger) {
            roles[i] = CommaRole::Grouping;
        } else if (onlyCommasSinceLastDigit) {
            roles[i] = CommaRole::Scaling;
            ++section.scaleBy1000;
        }
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Token::Grouping) continue;
        if (roles[i] == CommaRole::Literal) tokens[i] = {Token::Literal, ","};
        else if (roles[i] == CommaRole::Scaling) tokens[i] = {Token::Literal, ""};
    }
    return section;
}

struct Placeholders {
    std::vector<std::size_t> integer, fraction, exponent;  // token indices
};

Placeholders FindPlaceholders(const Section& section) {
    Placeholders p;
    enum { Integer, Fraction, ExponentPart } part = Integer;
    for (std::size_t i = 0; i < section.tokens.size(); ++i) {
        const Token& t = section.tokens[i];
        if (t.kind == Token::Point && part == Integer) part = Fraction;
        else if (t.kind == Token::Exponent) part = ExponentPart;
        else if (t.kind == Token::Digit)
            (part == Integer ? p.integer : part == Fraction ? p.fraction : p.exponent).push_back(i);
    }
    return p;
}

bool HasGrouping(const Section& section) {
    return std::any_of(section.tokens.begin(), section.tokens.end(),
                       [](const Token& t) { return t.kind == Token::Grouping; });
}

// Text for each integer placeholder, right-aligned: unused "0" shows 0, "?"
// a space, "#" nothing; the leftmost one also takes any digits beyond them.
std::vector<std::string> FillInteger(const std::string& digits, const Section& section,
                                     const std::vector<std::size_t>& places, bool grouping) {
    const int m = static_cast<int>(places.size());
    const int n = static_cast<int>(digits.size());
    std::vector<std::string> out(m);
    auto emit = [&](std::string& s, char c, int fromRight) {
        s.push_back(c);
        if (grouping && fromRight > 0 && fromRight % 3 == 0 && c != ' ') s.push_back(',');
    };
    for (int j = 0; j < m; ++j) {
        const int k = m - 1 - j;  // position from the right
        std::string& s = out[j];
        if (j == 0)
            for (int extra = n - 1; extra >= m; --extra) emit(s, digits[n - 1 - extra], extra);
        if (k < n) emit(s, digits[n - 1 - k], k);
        else if (section.tokens[places[j]].text == "0") emit(s, '0', k);
        else if (section.tokens[places[j]].text == "?") s.push_back(' ');
    }
    return out;
}

// Fraction placeholders: trailing zeros vanish under "#" and turn to spaces under "?".
std::vector<std::string> FillFraction(const std::string& digits, const Section& section,
                                      const std::vector<std::size_t>& places) {
    std::vector<std::string> out(places.size());
    const std::size_t lastNonZero = digits.find_last_not_of('0');
    for (std::size_t j = 0; j < places.size(); ++j) {
        const std::string& kind = section.tokens[places[j]].text;
        const bool trailingZero = lastNonZero == std::string::npos || j > lastNonZero;
        if (!trailingZero || kind == "0") out[j] = std::string(1, digits[j]);
        else if (kind == "?") out[j] = " ";
    }
    return out;
}

std::string Render(const Section& section, double v, bool withSign) {
    const Placeholders p = FindPlaceholders(section);
    Decimal d = DecimalMagnitude(v);
    if (!d.isZero()) d.point += 2 * section.percents - 3 * section.scaleBy1000;

    std::string exponentText;
    bool exponentNegative = false;
    if (std::any_of(section.tokens.begin(), section.tokens.end(),
                    [](const Token& t) { return t.kind == Token::Exponent; })) {
        // Mantissa with as many integer digits as the format has integer placeholders (at least one).
        const int integerDigits = std::max<int>(1, static_cast<int>(p.integer.size()));
        int exponent = 0;
        if (!d.isZero()) {
            exponent = d.point - integerDigits;
            d.point = integerDigits;
            d = RoundHalfAwayFromZero(d, static_cast<int>(p.fraction.size()));
            if (d.point > integerDigits) {  // 9.99 -> 10.0: shift once more
                ++exponent;
                d.point = integerDigits;
            }
        }
        exponentNegative = exponent < 0;
        exponentText = std::to_string(std::abs(exponent));
        int zeros = 0;
        for (std::size_t i : p.exponent) zeros += section.tokens[i].text == "0";
        if (static_cast<int>(exponentText.size()) < zeros)
            exponentText.insert(0, zeros - exponentText.size(), '0');
    } else {
        d = RoundHalfAwayFromZero(d, static_cast<int>(p.fraction.size()));
    }

    const std::vector<std::string> integer =
        FillInteger(IntegerDigits(d), section, p.integer, HasGrouping(section));
    const std::vector<std::string> fraction =
        FillFraction(FractionDigits(d, static_cast<int>(p.fraction.size())), section, p.fraction);

    // A format without integer placeholders (".00") still shows the integer
    // digits, just before the point.
    std::string unplacedInteger = p.integer.empty() ? IntegerDigits(d) : "";

    std::string out = withSign && v < 0.0 ? "-" : "";
    std::size_t nextInteger = 0, nextFraction = 0;
    bool exponentWritten = false;
    for (std::size_t i = 0; i < section.tokens.size(); ++i) {
        const Token& t = section.tokens[i];
        if (t.kind == Token::Point || t.kind == Token::Digit) {
            out += unplacedInteger;
            unplacedInteger.clear();
        }
        switch (t.kind) {
            case Token::Literal:
            case Token::Point:
            case Token::Percent: out += t.text; break;
            case Token::Grouping: break;
            case Token::General: out += GeneralMagnitude(v, kStandardGeneralWidth); break;
            case Token::Exponent:
                out += 'E';
                if (exponentNegative) out += '-';
                else if (t.text == "+") out += '+';
                break;
            case Token::Digit:
                if (nextInteger < p.integer.size() && p.integer[nextInteger] == i) {
                    out += integer[nextInteger++];
                } else if (nextFraction < p.fraction.size() && p.fraction[nextFraction] == i) {
                    out += fraction[nextFraction++];
                } else if (!exponentWritten) {
                    out += exponentText;  // the exponent's placeholders print once
                    exponentWritten = true;
                }
                break;
        }
    }
    return out;
}

}  // namespace

bool IsGeneralFormat(std::string_view numberFormat) {
    const auto first = numberFormat.find_first_not_of(' ');
    if (first == std::string_view::npos) return true;
    const auto last = numberFormat.find_last_not_of(' ');
    const std::string_view core = numberFormat.substr(first, last - first + 1);
    return core.size() == 7 && StartsWithGeneral(core, 0);
}

std::string GeneralNumberText(double v) { return GeneralNumberText(v, kStandardGeneralWidth); }

std::string GeneralNumberText(double v, int width) {
    if (!std::isfinite(v)) return "#NUM!";
    const std::string magnitude = GeneralMagnitude(v, width);
    if (magnitude.empty()) return {};
    return (v < 0.0 ? "-" : "") + magnitude;
}

// Sections are "positive;negative;zero": with one section a negative value
// gets a leading minus, with a negative section it is shown through that
// section as its magnitude. A small negative value that rounds to zero keeps
// its minus sign ("-0.00"), as the spreadsheet shows it.
std::string FormatNumber(double v, std::string_view numberFormat) {
    if (!std::isfinite(v)) return "#NUM!";
    const std::vector<std::string_view> sections = SplitSections(numberFormat);
    std::size_t chosen = 0;
    if (v < 0.0 && sections.size() >= 2) chosen = 1;
    else if (v == 0.0 && sections.size() >= 3) chosen = 2;
    const std::string_view text = sections[chosen];
    const bool withSign = chosen == 0;
    if (text.empty() && sections.size() == 1) return GeneralNumberText(v);
    return Render(ParseSection(text), v, withSign);
}

}  // namespace tavelmark::format
