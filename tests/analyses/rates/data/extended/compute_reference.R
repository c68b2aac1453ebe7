# Reference values for the extended two-group rates results, for every table
# of tables.csv (group R: a positives of n1 = a + b; group T: c of n2 = c + d).
# Written with R 4.2.2. Run from this folder: Rscript compute_reference.R
# z = qnorm(0.975) throughout.
#
# Wilson score limits of each rate, no continuity correction (Wilson 1927,
# J Am Stat Assoc 22:209):
#   (2 x + z^2 -/+ z sqrt(z^2 + 4 x (1 - x/n))) / (2 (n + z^2)).
# Rate difference T - R, delta = p2 - p1, with Newcombe's hybrid score limits
# (Newcombe 1998, Stat Med 17:873, method 10), l and u the Wilson limits:
#   lower = delta - sqrt((p2 - l2)^2 + (u1 - p1)^2)
#   upper = delta + sqrt((u2 - p2)^2 + (p1 - l1)^2)
# Relative risk RR = p2 / p1 with the log (Katz) limits (Katz, Baptista, Azen &
# Pike 1978, Biometrics 34:469): exp(log RR -/+ z sqrt(1/c - 1/n2 + 1/a - 1/n1)),
# NA when a or c is 0. RR itself is NA when a = 0.
# Odds ratio OR = (c/d) / (a/b) = b c / (a d) with Woolf's limits (Woolf 1955,
# Ann Hum Genet 19:251): exp(log OR -/+ z sqrt(1/a + 1/b + 1/c + 1/d)), NA when a
# cell is 0. OR itself is NA when a d = 0. No 0.5 is added to any cell.
# Conditional maximum-likelihood OR with the exact conditional limits, as
# fisher.test defines them for the table with rows T, R and columns
# positives, negatives (X = c given all margins, noncentral hypergeometric):
#   estimate: E[X; psi] = c;  lower: P(X >= c; psi) = 0.025;
#   upper: P(X <= c; psi) = 0.025;
# 0 or Inf (written Inf) when c is at the lower or upper end of its range, NA
# when a margin is 0. fisher.test solves these with uniroot's default
# tolerance (about 1e-4), too coarse for 1e-6 comparisons, so the script
# solves the same equations on log(psi) to 1e-12 and checks that fisher.test
# agrees within its tolerance.
# Two-sided mid-P of Fisher's test (Lancaster 1961, J Am Stat Assoc 56:223;
# Berry & Armitage 1995, The Statistician 44:417): twice the smaller one-sided
# mid-P, with X hypergeometric (dhyper) under the margins:
#   min(P(X < c) + P(X = c)/2, P(X > c) + P(X = c)/2) * 2.
# Number needed to treat, 1/|delta|, with its direction named by the rates
# (a positive response may be the benefit or the harm): kind "T higher" when
# delta > 0, "R higher" when delta < 0, "none" (NA) when delta = 0. Its 95%
# interval from the Newcombe limits, following Altman (1998, BMJ 317:1309),
# with L < U the Newcombe limits:
#   t_higher_from, t_higher_to: when U > 0, from 1/U to 1/L (Inf when L <= 0);
#   r_higher_from, r_higher_to: when L < 0, from 1/|L| to 1/|U| (Inf when U >= 0).
# L > 0 gives the "T higher" part only (nn_ci_form "T higher"), U < 0 the
# "R higher" part only; an interval crossing 0 gives both parts, each running
# to Inf ("crosses zero"): Altman's "NNTB 1/U to infinity to NNTH 1/|L|".
#
# Writes reference.csv, one row per table, numbers with 17 significant digits,
# NA where undefined.

tables <- read.csv("tables.csv")
z <- qnorm(0.975)

wilson <- function(x, n) {
  (2 * x + z^2 + c(-1, 1) * z * sqrt(z^2 + 4 * x * (1 - x / n))) / (2 * (n + z^2))
}

conditional_or <- function(a, b, c, d) {
  m1 <- a + c; m2 <- b + d; n2 <- c + d
  lo <- max(0, n2 - m2); hi <- min(n2, m1)
  if (lo == hi) return(c(NA, NA, NA))
  support <- lo:hi
  logdc <- dhyper(support, m1, m2, n2, log = TRUE)
  density <- function(log_psi) {
    l <- logdc + log_psi * support
    e <- exp(l - max(l))
    e / sum(e)
  }
  solve <- function(f) uniroot(f, c(-5, 5), extendInt = "yes", tol = 1e-12)$root
  estimate <- if (c == lo) 0 else if (c == hi) Inf else
    exp(solve(function(lp) sum(support * density(lp)) - c))
  lower <- if (c == lo) 0 else exp(solve(function(lp) sum(density(lp)[support >= c]) - 0.025))
  upper <- if (c == hi) Inf else exp(solve(function(lp) sum(density(lp)[support <= c]) - 0.025))
  result <- c(estimate, lower, upper)
  f <- fisher.test(matrix(c(c, a, d, b), nrow = 2))
  folded <- function(v) ifelse(v <= 1, v, 1 / v)  # the scale fisher.test solves on
  stopifnot(abs(folded(result) - folded(c(f$estimate, f$conf.int))) < 1e-3)
  result
}

mid_p <- function(a, b, c, d) {
  p <- dhyper(0:(c + d), a + c, b + d, c + d)
  x <- c + 1
  equal <- p[x] / 2
  2 * min(sum(p[seq_len(x - 1)]) + equal, sum(p[-seq_len(x)]) + equal)
}

number_needed <- function(delta, lower, upper) {
  kind <- if (delta > 0) "T higher" else if (delta < 0) "R higher" else "none"
  form <- if (lower > 0) "T higher" else if (upper < 0) "R higher" else "crosses zero"
  data.frame(nn_kind = kind, nn = if (delta != 0) 1 / abs(delta) else NA,
             nn_ci_form = form,
             t_higher_from = if (upper > 0) 1 / upper else NA,
             t_higher_to = if (upper > 0) (if (lower > 0) 1 / lower else Inf) else NA,
             r_higher_from = if (lower < 0) 1 / abs(lower) else NA,
             r_higher_to = if (lower < 0) (if (upper < 0) 1 / abs(upper) else Inf) else NA)
}

rows <- lapply(seq_len(nrow(tables)), function(i) {
  a <- tables$a[i]; b <- tables$b[i]; c <- tables$c[i]; d <- tables$d[i]
  n1 <- a + b; n2 <- c + d; p1 <- a / n1; p2 <- c / n2
  w1 <- wilson(a, n1); w2 <- wilson(c, n2)
  delta <- p2 - p1
  rd_lower <- delta - sqrt((p2 - w2[1])^2 + (w1[2] - p1)^2)
  rd_upper <- delta + sqrt((w2[2] - p2)^2 + (p1 - w1[1])^2)
  rr <- if (a > 0) p2 / p1 else NA
  rr_limits <- if (a > 0 && c > 0) exp(log(rr) + c(-1, 1) * z * sqrt(1 / c - 1 / n2 + 1 / a - 1 / n1)) else c(NA, NA)
  or <- if (a * d > 0) b * c / (a * d) else NA
  or_limits <- if (min(a, b, c, d) > 0) exp(log(or) + c(-1, 1) * z * sqrt(1 / a + 1 / b + 1 / c + 1 / d)) else c(NA, NA)
  cond <- conditional_or(a, b, c, d)
  cbind(data.frame(set = tables$set[i], a = a, b = b, c = c, d = d, p_r = p1, p_t = p2,
                   wilson_r_lower = w1[1], wilson_r_upper = w1[2],
                   wilson_t_lower = w2[1], wilson_t_upper = w2[2],
                   rd = delta, rd_lower = rd_lower, rd_upper = rd_upper,
                   rr = rr, rr_lower = rr_limits[1], rr_upper = rr_limits[2],
                   or = or, or_lower = or_limits[1], or_upper = or_limits[2],
                   or_conditional = cond[1], or_conditional_lower = cond[2],
                   or_conditional_upper = cond[3], fisher_mid_p = mid_p(a, b, c, d)),
        number_needed(delta, rd_lower, rd_upper))
})
out <- do.call(rbind, rows)
out[] <- lapply(out, function(v) if (is.numeric(v)) ifelse(is.na(v), "NA", sprintf("%.17g", v)) else ifelse(is.na(v), "NA", v))
write.csv(out, "reference.csv", row.names = FALSE, quote = FALSE)
