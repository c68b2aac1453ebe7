# Data sets for the maximum-likelihood probit and logit reference values of
# the extended Bliss results: the worked example, two published data sets,
# hand-made edge cases and generated experiments.
# Written with R 4.2.2. Run from this folder, once; the output is committed:
#   Rscript make_datasets.R
# Writes datasets.csv: set, dose, n, positives (one row per dose group, in the
# order the groups are typed into the grid).

sets <- list()
add <- function(name, dose, n, positives) {
  stopifnot(length(dose) == length(n), length(n) == length(positives),
            all(positives >= 0), all(positives <= n), all(n >= 1), all(dose > 0))
  sets[[name]] <<- data.frame(set = name, dose = dose, n = n, positives = positives)
}

add("worked_example", c(35, 25, 17.2, 12, 8.3, 5.85), rep(20, 6), c(20, 17, 16, 6, 2, 0))
# Flour beetles and carbon disulphide, Bliss (1935) Ann Appl Biol 22:134.
add("beetles_bliss_1935", c(49.06, 52.99, 56.91, 60.84, 64.76, 68.69, 72.61, 76.54),
    c(59, 60, 62, 56, 63, 59, 62, 60), c(6, 13, 18, 28, 52, 53, 61, 60))
# Rotenone and Macrosiphoniella sanborni, Martin (1942), as in Finney, Probit Analysis.
add("rotenone_martin_1942", c(10.2, 7.7, 5.1, 3.8, 2.6), c(50, 49, 46, 48, 50), c(44, 42, 24, 16, 6))

# Edge cases.
add("three_groups", c(2, 4, 8), c(10, 10, 10), c(2, 5, 9))
add("unsorted_doses", c(12, 35, 5.85, 25, 8.3, 17.2), rep(20, 6), c(6, 20, 0, 17, 2, 16))
add("unequal_sizes", c(1, 2, 4, 8, 16), c(3, 40, 7, 25, 12), c(0, 6, 3, 19, 12))
add("falling_response", c(3, 6, 12, 24, 48), c(15, 15, 16, 14, 15), c(15, 12, 9, 8, 3))
add("group_size_one", c(1, 2, 3, 4, 5, 6, 7, 8), rep(1, 8), c(0, 0, 1, 0, 1, 1, 0, 1))
add("group_size_two", c(1, 2, 4, 8, 16), rep(2, 5), c(0, 1, 0, 2, 2))
add("all_groups_between", c(5, 10, 20, 40), rep(30, 4), c(3, 11, 18, 26))
add("zero_and_full_groups", c(1, 2, 4, 8, 16, 32), rep(10, 6), c(0, 0, 3, 7, 10, 10))
add("heterogeneous", c(1, 2, 4, 8, 16, 32), rep(40, 6), c(2, 25, 8, 35, 18, 39))
add("shallow_small", c(1, 2, 4), c(5, 5, 5), c(1, 3, 2))
add("large_groups", c(10, 15, 22, 33, 50), rep(1000, 5), c(48, 190, 502, 801, 957))
add("wide_dose_range", c(0.001, 0.1, 10, 1000, 1e5), rep(25, 5), c(1, 5, 13, 20, 24))
add("rate_below_half_everywhere", c(1, 2, 4, 8), rep(50, 4), c(1, 3, 7, 15))
add("reversed_one_group", c(1, 2, 4, 8, 16), rep(20, 5), c(1, 8, 6, 15, 19))
# Deguelin and Macrosiphoniella sanborni, Martin (1942), as in Finney, Probit
# Analysis: Pearson P = 0.017, so the limits take the heterogeneity factor.
add("deguelin_martin_1942", c(5.1, 10, 20.4, 30.2, 40.7, 50.1), c(49, 48, 48, 49, 50, 48),
    c(16, 18, 34, 47, 47, 48))
# A shallow line whose Fieller index is about 0.91: its limits show whether
# the coefficients are converged to many digits.
add("fieller_g_near_one", c(1, 2, 4, 8), rep(10, 4), c(2, 2, 4, 6))
# Rates on the probit line and the logit line alike (0.2, 0.5 and 0.8 at
# equally spaced log doses): an exact fit, whose deviance is 0.
add("exact_fit", c(2, 20, 200), rep(30, 3), c(6, 15, 24))
# No finite maximum-likelihood estimate: zero responses at every low dose and
# full responses at every high dose (complete separation), or one mixed group
# on the border between them (quasi-complete separation).
add("separated", c(1, 2, 4, 8), rep(10, 4), c(0, 0, 10, 10))
add("separated_one_mixed_group", c(1, 2, 4, 8, 16), rep(10, 5), c(0, 0, 4, 10, 10))
add("all_zero", c(1, 2, 4), rep(10, 3), c(0, 0, 0))
add("all_full", c(1, 2, 4), rep(10, 3), c(10, 10, 10))
add("one_dose", c(5, 5, 5), rep(10, 3), c(2, 5, 7))

# True when every group with a response lies at or above (or at or below)
# every group with a non-response: complete or quasi-complete separation.
separated <- function(dose, n, positives) {
  with_response <- dose[positives > 0]
  without <- dose[positives < n]
  length(with_response) == 0 || length(without) == 0 ||
    max(without) <= min(with_response) || max(with_response) <= min(without)
}

# Generated experiments: 3 to 12 groups, geometric doses, group sizes 1 to 60
# (equal or unequal), a probit or logit truth with rising or falling response,
# and in some sets extra between-group variation (heterogeneity).
set.seed(20261213)
generated <- 0
while (generated < 60) {
  k <- sample(3:12, 1)
  ratio <- runif(1, 1.2, 2.5)
  first <- exp(runif(1, log(0.05), log(200)))
  dose <- signif(first * ratio^(0:(k - 1)), 4)
  if (anyDuplicated(dose)) next
  n <- if (runif(1) < 0.5) rep(sample(c(4, 6, 8, 10, 12, 15, 20, 30, 50), 1), k)
       else sample(1:60, k, replace = TRUE)
  x <- log10(dose)
  # the probit (or logit) moves by 2 to 7 units across the doses
  slope <- runif(1, 2, 7) / diff(range(x)) * (if (runif(1) < 0.15) -1 else 1)
  centre <- mean(x) + rnorm(1, 0, 0.15 * diff(range(x)))
  eta <- slope * (x - centre) + (if (runif(1) < 0.2) rnorm(k, 0, 0.8) else 0)
  p <- if (runif(1) < 0.5) pnorm(eta) else plogis(eta)
  if (runif(1) < 0.5) {
    o <- sample(k)  # the grid does not require sorted doses
    dose <- dose[o]; n <- n[o]; p <- p[o]
  }
  positives <- rbinom(k, n, p)
  # separated experiments have no finite estimate; the edge cases cover them
  if (separated(dose, n, positives)) next
  generated <- generated + 1
  add(sprintf("generated%02d", generated), dose, n, positives)
}

# Doses have at most 4 significant digits, so the default 15-digit text is exact.
out <- do.call(rbind, sets)
options(scipen = 100)
write.csv(out, "datasets.csv", row.names = FALSE, quote = FALSE)
