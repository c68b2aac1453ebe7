# Reference values for the extended LDk comparison: every pair of batches of
# every set of datasets.csv, batch a before batch b in grid order.
# Written with R 4.2.2. Run from this folder: Rscript compute_reference.R
#
# Each batch becomes a log dose x = log10(LD50) with standard error
# s = L95 / (4.5 LD50), and each pair is tested as the classic report does:
# t = |x_a - x_b| / sqrt(s_a^2 + s_b^2), P = 2 pt(-t, 9999).
# p_holm: Holm's step-down adjustment (Holm 1979, Scand J Stat 6:65) over all
# pairs of the set, p.adjust(method = "holm").
# ratio = LD50_a / LD50_b with its 95% limits on the log scale,
#   10^((x_a - x_b) -/+ qnorm(0.975) sqrt(e_a^2 + e_b^2)),
# where e is the standard error of log10(LD50) that the batch's limits
# LD50 10^(-/+ 1.96 e) imply exactly: their half-distance is
# L95 = LD50 sinh(1.96 e ln 10), so e = asinh(L95 / LD50) / (1.96 ln 10).
# (The classic test's s = L95 / (4.5 LD50) is its straight-line form, with
# 4.5 for 1.96 ln 10.)
#
# Writes reference.csv, one row per pair, numbers with 17 significant digits.
# A set with one batch has no pairs and so no rows.

data <- read.csv("datasets.csv")
z975 <- qnorm(0.975)

rows <- lapply(unique(data$set), function(name) {
  s <- data[data$set == name, ]
  if (nrow(s) < 2) return(NULL)
  x <- log10(s$ld50); se <- s$l95 / (4.5 * s$ld50)
  exact_se <- asinh(s$l95 / s$ld50) / (1.96 * log(10))
  pairs <- t(combn(nrow(s), 2))
  a <- pairs[, 1]; b <- pairs[, 2]
  difference <- x[a] - x[b]
  pair_se <- sqrt(se[a]^2 + se[b]^2)
  ratio_se <- sqrt(exact_se[a]^2 + exact_se[b]^2)
  t <- abs(difference) / pair_se
  p <- 2 * pt(-t, 9999)
  data.frame(set = name, batches = nrow(s), batch_a = a, batch_b = b, t = t, p = p,
             p_holm = p.adjust(p, method = "holm"), ratio = s$ld50[a] / s$ld50[b],
             ratio_lower = 10^(difference - z975 * ratio_se),
             ratio_upper = 10^(difference + z975 * ratio_se))
})
out <- do.call(rbind, rows)
out[] <- lapply(out, function(v) if (is.numeric(v)) sprintf("%.17g", v) else v)
write.csv(out, "reference.csv", row.names = FALSE, quote = FALSE)
