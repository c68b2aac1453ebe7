# Data sets for the extended two-group means reference values: the worked
# example, hand-made edge cases and generated pairs of groups.
# Written with R 4.2.2. Run from this folder, once; the output is committed:
#   Rscript make_datasets.R
# Writes datasets.csv: set, group (T or R), value, one row per value, in the
# order the values are typed into the grid.

sets <- list()
add <- function(name, t, r) {
  sets[[name]] <<- rbind(data.frame(set = name, group = "T", value = t),
                         data.frame(set = name, group = "R", value = r))
}

add("worked_example", c(38, 32, 34, 42, 35, 37, 45, 39, 38, 33),
    c(32, 33, 41, 28, 32, 37, 33, 59, 25, 33, 38, 28, 46, 51, 36))

# Edge cases. The analysis needs at least 3 values per group; the 2-and-2 set
# checks the formulas at their smallest degrees of freedom all the same.
add("two_each", c(4.1, 5.3), c(2.2, 3.9))
add("three_each", c(10.2, 11.7, 12.1), c(8.4, 9.9, 7.5))
add("three_and_forty", c(21.5, 19.8, 24.2),
    c(18.1, 17.4, 20.3, 16.9, 19.2, 18.8, 17.7, 21.1, 16.2, 18.5, 19.9, 17.1, 20.8, 18.3,
      15.9, 19.5, 17.9, 18.6, 20.1, 16.6, 19.1, 18.0, 17.3, 21.4, 18.9, 16.8, 19.7, 17.6,
      20.6, 18.2, 19.3, 17.0, 18.4, 20.4, 16.4, 19.0, 17.8, 18.7, 20.0, 17.5))
add("ties_between_groups", c(5, 6, 6, 7, 8, 8, 9), c(4, 5, 5, 6, 7, 7, 8, 8))
add("ties_within_one_group", c(3.1, 3.1, 3.1, 4.2, 5.0), c(1.9, 2.4, 2.8, 3.3, 3.6, 4.0))
add("identical_groups", c(12.5, 14.1, 13.3, 15.8, 11.9), c(12.5, 14.1, 13.3, 15.8, 11.9))
add("one_group_constant", c(7, 7, 7, 7), c(5.2, 6.8, 4.9, 7.7, 6.1))
add("both_constant_equal", c(3, 3, 3), c(3, 3, 3, 3))
add("both_constant_different", c(5, 5, 5), c(3, 3, 3, 3))
# Ties at small n: the exact conditional distribution, not the normal one
# (5, 5, 5 against 3, 3, 3: exact P 0.1, the normal approximation 0.047).
add("ties_three_each", c(5, 5, 5), c(3, 3, 3))
add("ties_small_groups", c(1, 2, 2, 3), c(2, 4, 5, 6))
add("ties_across_groups", c(12, 15, 15, 18, 21, 21, 21), c(9, 12, 12, 15, 16, 18))
# Both groups constant with more than 50 values in one: the normal
# approximation's test without an interval.
add("both_constant_large", rep(5, 51), c(3, 3, 3, 3))
add("no_overlap", c(20.1, 22.4, 21.7, 23.9, 20.8), c(10.3, 11.8, 9.6, 12.2, 10.9, 11.1))
add("negative_values", c(-3.2, -1.5, -4.8, -2.2, -3.9, -0.7, -2.6, -3.1),
    c(-1.1, 0.4, -0.2, 1.3, -0.9, 0.05, 0.8, -0.5, 2.1))
add("unequal_spread", c(10.1, 12.4, 9.8, 11.0, 10.6, 11.9, 10.3, 12.1),
    c(8.0, 15.2, 4.5, 18.9, 11.3, 6.7, 21.0, 2.4))
add("outlier", c(1.2, 0.8, 1.1, 0.9, 1.0, 1.3, 0.7, 1.05, 1.15, 9.5),
    c(2.1, 1.9, 2.4, 2.2, 1.8, 2.0, 2.6, 2.3, 1.7, 2.5, 2.25))
add("large_magnitude", c(1523401.5, 1524108.2, 1522977.9, 1523655.1, 1524390.7),
    c(1521880.4, 1522403.6, 1521517.3, 1522960.8, 1522115.2, 1521742.9))
add("small_magnitude", c(0.000412, 0.000455, 0.000398, 0.000471, 0.000436),
    c(0.000381, 0.000402, 0.000369, 0.000415, 0.000377, 0.000394))

set.seed(20261213)
# A very large standardized difference: the noncentrality of the interval for
# Cohen's d passes 37.62.
add("very_large_effect", round(rnorm(30, 100, 1), 3), round(rnorm(30, 90, 1), 3))
# 50 values each without ties (exact rank test), then 51 against 50 and a tie
# at 50 against 50 (normal approximation).
fifty_t <- round(rnorm(50, 20, 4), 4); fifty_r <- round(rnorm(50, 18, 4), 4)
stopifnot(!anyDuplicated(c(fifty_t, fifty_r)))
add("fifty_each", fifty_t, fifty_r)
extra <- round(rnorm(1, 20, 4), 4)
stopifnot(!anyDuplicated(c(fifty_t, fifty_r, extra)))
add("fifty_one_and_fifty", c(fifty_t, extra), fifty_r)
add("fifty_each_one_tie", fifty_t, c(fifty_r[-50], fifty_t[1]))

# Generated pairs of groups: sizes 3 to 50 or 3 to 80, normal or skewed
# values, equal or unequal spread, kept to 1 to 5 significant digits of the
# spread (the coarser roundings give ties).
for (i in 1:60) {
  sizes <- if (i %% 2 == 0) 3:50 else 3:80
  n_t <- sample(sizes, 1); n_r <- sample(sizes, 1)
  centre <- exp(runif(1, log(0.5), log(500)))
  spread <- centre * runif(1, 0.05, 0.4)
  shift <- rnorm(1, 0, 1.2) * spread
  ratio <- if (runif(1) < 0.3) runif(1, 1.5, 4) else 1
  draw <- if (runif(1) < 0.25) function(n, m, s) m + s * (rexp(n) - 1) else function(n, m, s) rnorm(n, m, s)
  decimals <- sample(0:4, 1, prob = c(1, 1, 1, 2, 3))
  scale <- 10^floor(log10(spread))
  t <- round(draw(n_t, centre + shift, spread * ratio) / scale, decimals) * scale
  r <- round(draw(n_r, centre, spread) / scale, decimals) * scale
  add(sprintf("generated%02d", i), signif(t, 10), signif(r, 10))
}

out <- do.call(rbind, sets)
options(scipen = 100)
write.csv(out, "datasets.csv", row.names = FALSE, quote = FALSE)
