# Reference values for the two-group means tests, computed with R's own
# routines (t.test, wilcox.test, qt, qf, quantile) independently of the
# program. Run: Rscript means_reference.R > means_reference.txt
#
# Conventions of the program that R does not share, applied here on purpose:
#  - fractional degrees of freedom are truncated before P values and critical
#    values are taken (the spreadsheet's TDIST/TINV do that);
#  - the rank test's normal tail is Student's t with 9999 df: the z of
#    wilcox.test (normal approximation, continuity and tie correction) is
#    recovered from its P value and the tail taken again with pt(, 9999).

datasets <- list(
  example = list(
    t = c(38, 32, 34, 42, 35, 37, 45, 39, 38, 33),
    r = c(32, 33, 41, 28, 32, 37, 33, 59, 25, 33, 38, 28, 46, 51, 36)),
  ties_zeros = list(
    t = c(0, 0, 1.5, 2, 2, 3, -1, 4, 2, 0),
    r = c(1, 2, 2, 3, 5, 5, 6, 0, 7, 5, 4, 8)),
  negatives = list(
    t = c(-3.2, -1.5, -4.8, -2.2, -3.9, -0.7, -2.6, -3.1),
    r = c(-1.1, 0.4, -0.2, 1.3, -0.9, 0.0, 0.8, -0.5, 2.1)),
  unequal_spread = list(
    t = c(10.1, 12.4, 9.8, 11.0, 10.6, 11.9, 10.3, 12.1),
    r = c(8.0, 15.2, 4.5, 18.9, 11.3, 6.7, 21.0, 2.4)),
  skewed = list(
    t = c(1.2, 0.8, 1.1, 0.9, 1.0, 1.3, 0.7, 1.0, 1.1, 9.5),
    r = c(2.1, 1.9, 2.4, 2.2, 1.8, 2.0, 2.6, 2.3, 1.7, 2.5, 2.2)),
  generated = local({
    set.seed(20261210)
    list(t = round(rnorm(40, 50, 8), 1), r = round(rnorm(33, 46, 15), 0))
  })
)

num <- function(x) if (is.na(x)) "NA" else sprintf("%.17g", x)
out <- function(key, x) cat(key, paste(sapply(x, num), collapse = " "), "\n")

skew <- function(x) { n <- length(x); m <- mean(x); s <- sd(x); n / ((n - 1) * (n - 2)) * sum(((x - m) / s)^3) }
kurt <- function(x) {
  n <- length(x); if (n < 4) return(NA); m <- mean(x); s <- sd(x)
  n * (n + 1) / ((n - 1) * (n - 2) * (n - 3)) * sum(((x - m) / s)^4) - 3 * (n - 1)^2 / ((n - 2) * (n - 3))
}
# Most frequent value; among equally frequent ones the one whose first
# occurrence comes first; NA when no value repeats.
mode_of <- function(x) {
  counts <- sapply(x, function(v) sum(x == v))
  if (max(counts) < 2) return(NA)
  x[which(counts == max(counts))[1]]
}
positive_only <- function(x, f) if (all(x > 0)) f(x) else NA
counts <- function(x) {
  m <- mean(x); s <- sd(x)
  c(sum(x > m), sum(x < m), sum(x > m - 0.65 * s & x < m + 0.65 * s), sum(x > m + 0.65 * s | x < m - 0.65 * s))
}
crit <- function(df) c(qt(0.975, df), qt(0.95, df), qt(0.995, df), qt(0.99, df))
# Observed power of a two-sided test at the 5% level, the normal distribution
# read as Student's t with 9999 df: P(|d/SE + Z| > z) = F(d/SE - z) + F(-d/SE - z).
# The alpha shown beside it is half the test's P value.
power_of <- function(p, d, se) {
  z <- qt(0.975, 9999)
  c(p / 2, pt(d / se - z, 9999) + pt(-d / se - z, 9999))
}

for (name in names(datasets)) {
  t <- datasets[[name]]$t; r <- datasets[[name]]$r
  n1 <- length(t); n2 <- length(r); df <- n1 + n2 - 2
  cat("dataset", name, "\n")
  out("T", t); out("R", r)
  for (g in list(list("t", t), list("r", r))) {
    x <- g[[2]]; k <- g[[1]]
    out(paste0(k, "_describe"), c(mean(x), sd(x), max(x), min(x), median(x),
        quantile(x, 0.25, type = 7, names = FALSE), quantile(x, 0.75, type = 7, names = FALSE),
        mode_of(x), positive_only(x, function(v) 1 / mean(1 / v)),
        positive_only(x, function(v) exp(mean(log(v)))), skew(x), kurt(x),
        sd(x) * 1.960202098 / sqrt(length(x)), sd(x) * 2.576325642 / sqrt(length(x))))
    out(paste0(k, "_counts"), counts(x))
  }

  pooled <- t.test(t, r, var.equal = TRUE)
  tp <- abs(unname(pooled$statistic))
  out("pooled", c(tp, df, 2 * pt(tp, df, lower.tail = FALSE), pt(tp, df, lower.tail = FALSE), crit(df)))

  welch <- t.test(t, r, var.equal = FALSE)
  tw <- abs(unname(welch$statistic)); nu2 <- unname(welch$parameter)
  out("welch", c(tw, nu2, 2 * pt(tw, floor(nu2), lower.tail = FALSE),
      pt(tw, floor(nu2), lower.tail = FALSE), crit(floor(nu2))))

  s1 <- var(t); s2 <- var(r)
  nu1 <- df * (0.5 + s1 * s2 / (s1^2 + s2^2))
  out("corrected_df", c(tw, nu1, 2 * pt(tw, floor(nu1), lower.tail = FALSE),
      pt(tw, floor(nu1), lower.tail = FALSE), crit(floor(nu1))))

  v1 <- s1 / n1; v2 <- s2 / n2
  cc <- function(p) (qt(1 - p / 2, n1 - 1) * v1 + qt(1 - p / 2, n2 - 1) * v2) / (v1 + v2)
  out("cochran_cox", c(cc(0.05), cc(0.01)))

  if (sd(t) > sd(r)) { f <- (sd(t) / sd(r))^2; d1 <- n1 - 1; d2 <- n2 - 1 } else { f <- (sd(r) / sd(t))^2; d1 <- n2 - 1; d2 <- n1 - 1 }
  out("variance", c(f, qf(0.95, d1, d2), d1, d2))

  w <- suppressWarnings(wilcox.test(t, r, exact = FALSE, correct = TRUE))
  z <- qnorm(w$p.value / 2, lower.tail = FALSE)
  out("rank_sum", c(z, 2 * pt(z, 9999, lower.tail = FALSE), w$p.value))

  d <- abs(mean(t) - mean(r))
  sc <- sqrt(((n1 - 1) * s1 + (n2 - 1) * s2) / df)
  se <- sc * sqrt(1 / n1 + 1 / n2)
  out("spread", c(d, sc, se))
  rr <- (sc / d)^2
  # 2(z_0.975 + z_power)^2 from qnorm for each power; the report's slopes are
  # these to three significant digits, so whole subjects may differ by the
  # slope's rounding times r (the test allows for it).
  out("sample_size_slopes", 2 * (qnorm(0.975) + qnorm(c(0.70, 0.80, 0.90, 0.95)))^2)
  out("sample_size_r", rr)
  # The report takes the one-sided 5% t point from a closed form; the
  # reference uses the point itself, and the test allows for the gap.
  ta <- qt(0.95, df)
  margin <- max(abs(mean(t)), abs(mean(r)))
  limits <- c(0.05, 0.10, 0.15, 0.20, 0.30) * margin - ta * se
  out("equivalence_limits", limits)
  out("power_pooled", power_of(2 * pt(tp, df, lower.tail = FALSE), d, se))
  out("power_welch", power_of(2 * pt(tw, floor(nu2), lower.tail = FALSE), d, se))
  out("power_rank", power_of(2 * pt(z, 9999, lower.tail = FALSE), d, se))
  cat("end\n")
}
