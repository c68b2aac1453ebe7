# Reference values for the continuity-corrected statistics and the rate limits
# of the two-group rates analysis, computed independently with R.
#
#   Rscript rates_reference.R > rates_reference.csv
#
# Columns, per 2x2 table a, b (group R) and c, d (group T):
#   yates, yates_p  chisq.test(correct = TRUE): the correction is clipped, so
#                   the statistic is N max(0, |ad - bc| - N/2)^2 / (n1 n2 m1 m2)
#   u_prime         the square root of prop.test(correct = TRUE)'s statistic:
#                   (|p2 - p1| - (1/n1 + 1/n2)/2) / S, clipped at 0 the same way
#   u_prime_p       2 pt(-u_prime, 9999): the program reads U' against Student's
#                   t with 9999 degrees of freedom, not the normal distribution
#   lower_r ... upper_t
#                   prop.test(x, n, correct = TRUE)$conf.int of each group:
#                   Newcombe's continuity-corrected score interval, 0 for x = 0
#                   and 1 for x = n. R takes z = qnorm(0.975) where the
#                   program takes 1.96 and 3.841, so interior limits agree to
#                   about 1e-5 only. NA for x = n/2, where prop.test leaves
#                   the correction out.
#   g, g_p          the likelihood-ratio statistic 2 sum O ln(O/E) over the
#                   four cells, a cell with O = 0 adding 0 (the limit of
#                   O ln O), and pchisq(g, 1, lower.tail = FALSE). NA when a
#                   margin is 0 (no expected count to compare with).

tables <- list(
  c(0, 2, 1, 33),    # |ad - bc| = 2 < N/2 = 18: both corrections clipped
  c(5, 5, 5, 5),     # equal rates
  c(5, 5, 6, 5),     # a difference just below the correction
  c(12, 20, 19, 11), # the worked example
  c(12, 48, 9, 11),  # unequal groups
  c(0, 20, 7, 13),   # 0 of 20
  c(20, 0, 13, 7),   # 20 of 20
  c(0, 1, 1, 0),     # one subject per group
  c(1, 0, 0, 3),
  c(0, 7, 3, 0),
  c(40, 0, 0, 40),
  c(0, 150, 3, 47),
  c(199, 0, 1, 0),
  c(0, 10, 6, 4),    # one zero cell: G is still defined
  c(3, 0, 0, 8)      # two zero cells
)

limits <- function(x, n) {
  if (2 * x == n) return(c(NA, NA))
  suppressWarnings(prop.test(x, n, correct = TRUE)$conf.int[1:2])
}

likelihood_ratio <- function(a, b, c, d) {
  observed <- matrix(c(a, c, b, d), nrow = 2)
  if (any(rowSums(observed) == 0) || any(colSums(observed) == 0)) return(c(NA, NA))
  expected <- outer(rowSums(observed), colSums(observed)) / sum(observed)
  g <- 2 * sum(ifelse(observed > 0, observed * log(observed / expected), 0))
  c(g, pchisq(g, 1, lower.tail = FALSE))
}

cat("a,b,c,d,yates,yates_p,u_prime,u_prime_p,lower_r,upper_r,lower_t,upper_t,g,g_p\n")
for (t in tables) {
  a <- t[1]; b <- t[2]; c <- t[3]; d <- t[4]
  chi <- suppressWarnings(chisq.test(matrix(c(a, c, b, d), nrow = 2), correct = TRUE))
  u <- sqrt(unname(suppressWarnings(prop.test(c(a, c), c(a + b, c + d), correct = TRUE))$statistic))
  values <- c(unname(chi$statistic), chi$p.value, u, 2 * pt(-u, 9999),
              limits(a, a + b), limits(c, c + d), likelihood_ratio(a, b, c, d))
  cat(sprintf("%d,%d,%d,%d,%s\n", a, b, c, d, paste(sprintf("%.17g", values), collapse = ",")))
}
