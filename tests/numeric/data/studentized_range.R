# Reference values of the studentized range distribution, by R's own adaptive
# quadrature (integrate) on the textbook form, independently of the program's
# fixed Gauss–Legendre panels:
#   P(W > w) = 1 - k * int phi(z) (Phi(z) - Phi(z - w))^(k - 1) dz   (range of k normals)
#   P(Q > q) = int g(s) P(W > q s) ds,  g the density of chi_df / sqrt(df)
# For small upper tails the inner integral is taken as its complement's sum of
# positive terms instead, k int phi(z) [Phi(z)^(k-1) - (Phi(z) - Phi(z-w))^(k-1)] dz,
# so that a P of 1e-11 keeps its digits. Tolerances 1e-13 relative.
# Run from this folder:  Rscript studentized_range.R > studentized_range.csv
# Columns: q, k, df (Inf: known variance), upper = P(Q > q), ptukey = R's own
# ptukey for comparison (its documented accuracy is far lower), and for the
# quantile rows the upper probability asked for.

range_upper <- function(w, k) {
  if (w <= 0) return(1)
  f <- function(z) {
    a <- pnorm(z); b <- pnorm(z - w); cc <- a - b
    # a^(k-1) - cc^(k-1) = b * sum_j a^(k-2-j) cc^j, no cancellation
    s <- 0; for (j in 0:(k - 2)) s <- s + a^(k - 2 - j) * cc^j
    dnorm(z) * b * s
  }
  k * integrate(f, -Inf, Inf, rel.tol = 1e-13, abs.tol = 0, subdivisions = 2000L)$value
}

scale_density <- function(s, df) 2 * df * s * dchisq(df * s^2, df)

q_upper <- function(q, k, df) {
  if (is.infinite(df)) return(range_upper(q, k))
  f <- function(s) sapply(s, function(si) scale_density(si, df) * range_upper(q * si, k))
  # the mass of s split at its mode, so the adaptive rule sees the peak
  mode <- sqrt(max(df - 1, 0.01) / df)
  lo <- integrate(f, 0, mode, rel.tol = 1e-12, abs.tol = 0, subdivisions = 2000L)$value
  hi <- integrate(f, mode, Inf, rel.tol = 1e-12, abs.tol = 0, subdivisions = 2000L)$value
  lo + hi
}

q_quantile <- function(upper, k, df) {
  uniroot(function(q) log(q_upper(q, k, df)) - log(upper), c(0.5, 60), tol = 1e-13)$root
}

cases <- list(
  # the spot values every implementation is checked against
  c(3.5, 3, 27), c(5.5, 10, 20), c(6, 3, 2),
  # two means: the range is |T| * sqrt(2)
  c(2.5, 2, 12), c(1.5, 2, 1000),
  # one df, a fractional df (Games–Howell), large df, many means
  c(3, 3, 1), c(4.2, 4, 2.7), c(3.9, 6, 15.2), c(4.1, 5, 598.3), c(5.2, 10, 2990),
  c(2.2, 5, 5), c(1, 10, 40), c(8, 5, 10), c(15, 4, 30), c(4, 3, Inf), c(6.1, 8, Inf))
cat("kind,q,k,df,upper,ptukey\n")
for (x in cases) {
  p <- q_upper(x[1], x[2], x[3])
  cat(sprintf("upper,%.17g,%d,%s,%.17g,%.17g\n", x[1], as.integer(x[2]), format(x[3], digits = 17), p,
              ptukey(x[1], x[2], x[3], lower.tail = FALSE)))
}
quantiles <- list(c(0.05, 3, 27), c(0.05, 10, Inf), c(0.05, 2, 20), c(0.01, 5, 12), c(0.05, 10, 2990),
                  c(0.05, 4, 2.5))
for (x in quantiles) {
  q <- q_quantile(x[1], x[2], x[3])
  cat(sprintf("quantile,%.17g,%d,%s,%.17g,%.17g\n", q, as.integer(x[2]), format(x[3], digits = 17), x[1],
              qtukey(x[1], x[2], x[3], lower.tail = FALSE)))
}
