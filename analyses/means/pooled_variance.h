#pragma once
// The two groups' common variance, each group's own variance weighted by its
// degrees of freedom: ((n1 − 1) v1 + (n2 − 1) v2) / (n1 + n2 − 2). Every
// figure built on the pooled spread (the t test, Sc of the sample sizes and
// the equivalence test, Cohen's d, the pooled limits of the difference) takes
// it from here.
namespace tavelmark::means {

double PooledVariance(int n1, double variance1, int n2, double variance2);

}  // namespace tavelmark::means
