# Reference values for the extended two-group means results (T minus R), for
# every set of datasets.csv.
# Written with R 4.2.2. Run from this folder: Rscript compute_reference.R
#
# Mean difference T - R with 95% limits: t.test(var.equal = TRUE) (pooled) and
# t.test(var.equal = FALSE) (Welch, fractional degrees of freedom, not truncated).
#
# Cohen's d = (mean T - mean R) / pooled SD, pooled SD with n1 + n2 - 2 df.
# Its 95% limits invert the noncentral t distribution (Steiger & Fouladi 1997;
# Cumming & Finch 2001, Educ Psychol Meas 61:532): with t = d / sqrt(1/n1 + 1/n2)
# and df = n1 + n2 - 2, the noncentralities L and U solve
#   P(T_df,L <= t) = 0.975,  P(T_df,U <= t) = 0.025   (uniroot, tol 1e-13),
# and the limits are L sqrt(1/n1 + 1/n2) and U sqrt(1/n1 + 1/n2). R's pt() with
# ncp uses AS 243 (Lenth 1989) up to |ncp| 37.62 and only a rough normal
# approximation beyond; there the distribution function is taken instead by
# integrating over the chi-square: P(T <= t) = E[pnorm(t sqrt(V/df) - ncp)],
# V ~ chi-square(df). Column d_ci_cdf names which was used.
#
# Hedges' g = J d with the exact small-sample factor (Hedges 1981, J Educ Stat
# 6:107; Hedges & Olkin 1985, Statistical Methods for Meta-Analysis, ch. 5):
#   J = Gamma(df/2) / (sqrt(df/2) Gamma((df - 1)/2)),  df = n1 + n2 - 2
# (1 - 3/(4 df - 1) is its approximation). Its 95% limits are the Hedges-Olkin
# large-sample normal approximation g -/+ qnorm(0.975) se with
#   se^2 = (n1 + n2) / (n1 n2) + g^2 / (2 (n1 + n2))   (Hedges & Olkin 1985, ch. 5).
#
# Hodges-Lehmann shift: the median of the n1 n2 differences T_i - R_j.
# Mann-Whitney (Wilcoxon rank-sum) test and the shift's limits from
# wilcox.test(conf.int = TRUE, correct = TRUE) with exact = TRUE when both
# groups have at most 50 values and no value occurs twice in the pooled data,
# exact = FALSE otherwise (R's own default would switch at 49). Column
# mw_method names the method.
#  - exact: limits are the differences R picks with qwilcox; hl_level is the
#    coverage those order statistics achieve, 1 - 2 pwilcox(q - 1, n1, n2).
#  - exact with ties (both groups at most 50 values, some value repeated):
#    P is the exact permutation P given the tied mid-ranks,
#    P(|S - E| >= |s - E|) for T's rank sum S over all choose(N, n1) ways of
#    splitting the pooled values, E = n1 (N + 1) / 2 its mean. Where there are
#    at most 3e6 splits the script enumerates them with combn; beyond, it
#    multiplies the generating polynomials of the tie blocks (a block of t
#    values at doubled mid-rank v contributes sum_j choose(t, j) x^j y^(j v)),
#    and checks that product against the enumeration on every set small
#    enough for both. The limits stay those of the normal approximation
#    below (R offers no exact limits with ties).
#  - normal approximation (continuity and tie corrections): wilcox.test finds
#    the limits with uniroot to tol.root (1e-4 by default), but its statistic
#    is a step function of the shift, so each limit is one of the differences;
#    the script takes that difference exactly and checks it against
#    wilcox.test(tol.root = 1e-10). hl_level is NA (nominal 0.95). R's own
#    estimate in this branch is a uniroot point, not the median; it is not used.
#
# Writes reference.csv, one row per set, numbers with 17 significant digits,
# NA where undefined (no spread, all values tied).

data <- read.csv("datasets.csv")
z975 <- qnorm(0.975)

pt_beyond_as243 <- function(q, df, ncp) {
  f <- function(v) pnorm(q * sqrt(v / df) - ncp) * dchisq(v, df)
  integrate(f, 0, Inf, rel.tol = 1e-12, subdivisions = 2000L)$value
}
noncentral_cdf <- function(q, df, ncp) {
  if (abs(ncp) <= 37.62) pt(q, df, ncp) else pt_beyond_as243(q, df, ncp)
}
# the integral and AS 243 agree where both apply
stopifnot(abs(pt_beyond_as243(31, 40, 30) - pt(31, 40, 30)) < 1e-10,
          abs(pt_beyond_as243(-2, 5, -1.5) - pt(-2, 5, -1.5)) < 1e-10)

noncentrality_for <- function(t, df, p) {
  uniroot(function(ncp) noncentral_cdf(t, df, ncp) - p, c(t - 5, t + 5),
          extendInt = "downX", tol = 1e-13)$root
}

hedges_j <- function(df) exp(lgamma(df / 2) - lgamma((df - 1) / 2)) / sqrt(df / 2)

# The continuity-corrected normal statistic of the rank-sum test after
# shifting T by delta, as wilcox.test computes it for its interval.
rank_z <- function(t, r, delta) {
  n1 <- length(t); n2 <- length(r)
  ranks <- rank(c(t - delta, r))
  ties <- table(ranks)
  dz <- sum(ranks[seq_len(n1)]) - n1 * (n1 + 1) / 2 - n1 * n2 / 2
  sigma <- sqrt(n1 * n2 / 12 * ((n1 + n2 + 1) - sum(ties^3 - ties) / ((n1 + n2) * (n1 + n2 - 1))))
  (dz - sign(dz) * 0.5) / sigma
}

# The difference at which rank_z(delta) - zq changes sign (rank_z falls as
# delta grows); the first difference when it never does.
normal_limit <- function(t, r, zq) {
  u <- sort(unique(as.vector(outer(t, r, "-"))))
  left <- c(u[1] - 1, (head(u, -1) + tail(u, -1)) / 2)
  above <- sapply(left, function(delta) rank_z(t, r, delta) - zq > 0)
  if (!any(above)) u[1] else u[max(which(above))]
}

# Doubled mid-ranks are whole numbers, so every comparison below is exact.
tied_p_by_enumeration <- function(doubled, n1) {
  sums <- colSums(matrix(doubled[combn(length(doubled), n1)], nrow = n1))
  centre <- n1 * (length(doubled) + 1)
  mean(abs(sums - centre) >= abs(sum(doubled[seq_len(n1)]) - centre))
}

tied_p_by_generating_function <- function(doubled, n1) {
  total <- sum(doubled)
  # ways[k + 1, s + 1]: subsets of k values with doubled rank sum s
  ways <- matrix(0, n1 + 1, total + 1)
  ways[1, 1] <- 1
  for (block in split(doubled, doubled)) {
    v <- block[1]; size <- length(block)
    grown <- matrix(0, n1 + 1, total + 1)
    for (j in 0:min(size, n1)) {
      rows <- seq_len(n1 + 1 - j); columns <- seq_len(total + 1 - j * v)
      grown[rows + j, columns + j * v] <- grown[rows + j, columns + j * v] +
        choose(size, j) * ways[rows, columns]
    }
    ways <- grown
  }
  centre <- n1 * (length(doubled) + 1)
  s <- 0:total
  keep <- abs(s - centre) >= abs(sum(doubled[seq_len(n1)]) - centre)
  sum(ways[n1 + 1, keep]) / sum(ways[n1 + 1, ])
}

exact_tied_p <- function(t, r) {
  doubled <- as.integer(round(2 * rank(c(t, r))))
  n1 <- length(t)
  by_polynomial <- tied_p_by_generating_function(doubled, n1)
  if (choose(length(doubled), n1) <= 3e6) {
    by_enumeration <- tied_p_by_enumeration(doubled, n1)
    stopifnot(abs(by_enumeration - by_polynomial) <= 1e-12)
    return(by_enumeration)
  }
  by_polynomial
}

shift_and_rank_test <- function(t, r) {
  n1 <- length(t); n2 <- length(r)
  small <- n1 <= 50 && n2 <= 50
  exact <- small && !anyDuplicated(c(t, r))
  exact_tied <- small && !exact
  shift <- median(outer(t, r, "-"))
  if (var(c(t, r)) == 0) {
    # all values tied: no spread of ranks, wilcox.test gives NaN
    return(data.frame(hl_shift = shift, hl_lower = NA, hl_upper = NA, hl_level = NA,
                      mw_w = n1 * n2 / 2, mw_p = NA, mw_method = "all values tied"))
  }
  test <- function(interval) {
    suppressWarnings(wilcox.test(t, r, conf.int = interval, exact = exact, correct = TRUE,
                                 tol.root = 1e-10))
  }
  w <- tryCatch(test(TRUE), error = function(e) NULL)
  if (is.null(w)) {
    # R refuses the interval when a shifted data set is all tied (both groups
    # constant); the test itself stands
    w <- test(FALSE)
    limits <- c(NA, NA); level <- NA
    method <- "normal approximation with continuity and tie corrections; no interval"
    if (exact_tied) method <- "exact with ties; no interval"
  } else if (exact) {
    q <- max(1, qwilcox(0.025, n1, n2))
    limits <- w$conf.int[1:2]
    level <- 1 - 2 * pwilcox(q - 1, n1, n2)
    method <- "exact"
  } else {
    limits <- c(normal_limit(t, r, z975), normal_limit(t, r, -z975))
    stopifnot(abs(limits - w$conf.int[1:2]) <= 1e-8 * max(abs(outer(t, r, "-"))))
    level <- NA
    method <- "normal approximation with continuity and tie corrections"
    if (exact_tied) method <- "exact with ties"
  }
  p <- if (exact_tied) exact_tied_p(t, r) else w$p.value
  data.frame(hl_shift = shift, hl_lower = limits[1], hl_upper = limits[2], hl_level = level,
             mw_w = unname(w$statistic), mw_p = p,
             mw_method = method)
}

mean_difference <- function(t, r, equal) {
  test <- tryCatch(t.test(t, r, var.equal = equal), error = function(e) NULL)
  if (is.null(test)) return(c(NA, NA, NA))
  c(unname(test$parameter), test$conf.int[1:2])
}

effect_sizes <- function(t, r) {
  n1 <- length(t); n2 <- length(r); df <- n1 + n2 - 2
  sp <- sqrt(((n1 - 1) * var(t) + (n2 - 1) * var(r)) / df)
  if (sp == 0) {
    return(data.frame(sd_pooled = sp, cohen_d = NA, d_lower = NA, d_upper = NA, d_ci_cdf = NA,
                      hedges_j = hedges_j(df), hedges_g = NA, g_se = NA, g_lower = NA, g_upper = NA))
  }
  d <- (mean(t) - mean(r)) / sp
  k <- sqrt(1 / n1 + 1 / n2)
  lower_ncp <- noncentrality_for(d / k, df, 0.975)
  upper_ncp <- noncentrality_for(d / k, df, 0.025)
  cdf <- if (max(abs(c(lower_ncp, upper_ncp))) > 37.62) "integral beyond ncp 37.62" else "pt (AS 243)"
  j <- hedges_j(df)
  g <- j * d
  se <- sqrt((n1 + n2) / (n1 * n2) + g^2 / (2 * (n1 + n2)))
  data.frame(sd_pooled = sp, cohen_d = d, d_lower = lower_ncp * k, d_upper = upper_ncp * k,
             d_ci_cdf = cdf, hedges_j = j, hedges_g = g, g_se = se,
             g_lower = g - z975 * se, g_upper = g + z975 * se)
}

rows <- lapply(unique(data$set), function(name) {
  s <- data[data$set == name, ]
  t <- s$value[s$group == "T"]; r <- s$value[s$group == "R"]
  pooled <- mean_difference(t, r, TRUE); welch <- mean_difference(t, r, FALSE)
  cbind(data.frame(set = name, n_t = length(t), n_r = length(r), mean_t = mean(t),
                   mean_r = mean(r), difference = mean(t) - mean(r),
                   pooled_df = pooled[1], pooled_lower = pooled[2], pooled_upper = pooled[3],
                   welch_df = welch[1], welch_lower = welch[2], welch_upper = welch[3]),
        effect_sizes(t, r), shift_and_rank_test(t, r))
})
out <- do.call(rbind, rows)
out[] <- lapply(out, function(v) if (is.numeric(v)) ifelse(is.na(v), "NA", sprintf("%.17g", v)) else ifelse(is.na(v), "NA", v))
write.csv(out, "reference.csv", row.names = FALSE, quote = FALSE)
