#pragma once
// The two tolerance distributions of a quantal dose-response line: the
// normal (probit) and the logistic (logit).
namespace tavelmark::numeric {

enum class QuantalLink { Probit, Logit };

// F at eta with its complement 1 - F (kept apart so that neither loses digits
// in the far tail), the density f = F' and its derivative f'.
struct LinkPoint {
    double F = 0, Q = 0, f = 0, fPrime = 0;
};

LinkPoint QuantalLinkAt(QuantalLink link, double eta);

// eta with F(eta) = p, for 0 < p < 1.
double QuantalLinkOf(QuantalLink link, double p);

}  // namespace tavelmark::numeric
