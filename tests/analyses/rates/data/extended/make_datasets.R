# 2x2 tables for the extended two-group rates reference values: the worked
# example, hand-made edge cases and generated tables.
# Written with R 4.2.2. Run from this folder, once; the output is committed:
#   Rscript make_datasets.R
# Writes tables.csv: set, a, b, c, d as in the grid (group R: a positives,
# b negatives; group T: c positives, d negatives). Both groups are non-empty;
# the analysis refuses an empty group.

tables <- list(
  worked_example = c(12, 20, 19, 11),
  zero_r_positives = c(0, 20, 7, 13),
  zero_t_positives = c(7, 13, 0, 20),
  zero_r_negatives = c(20, 0, 13, 7),
  zero_t_negatives = c(13, 7, 20, 0),
  both_none_positive = c(0, 15, 0, 12),
  both_all_positive = c(15, 0, 12, 0),
  none_against_all = c(0, 10, 10, 0),
  all_against_none = c(10, 0, 0, 10),
  one_each_apart = c(1, 0, 0, 1),
  one_each_alike = c(1, 0, 1, 0),
  two_each = c(1, 1, 2, 0),
  two_each_reversed = c(2, 0, 0, 2),
  equal_rates = c(5, 5, 5, 5),
  equal_rates_unequal_sizes = c(6, 9, 4, 6),
  one_positive_in_many = c(0, 150, 3, 47),
  nearly_all_positive = c(199, 1, 95, 5),
  large_groups = c(480, 520, 530, 470),
  small_difference_large_groups = c(300, 700, 310, 690)
)

# Generated tables: group sizes 3 to 400 (log-uniform), rates anywhere from
# 0 to 1 with some near the ends.
set.seed(20261213)
for (i in 1:60) {
  n <- round(exp(runif(2, log(3), log(400))))
  p <- if (runif(1) < 0.15) rbeta(2, 0.3, 0.3) else runif(2, 0.03, 0.97)
  positives <- rbinom(2, n, p)
  tables[[sprintf("generated%02d", i)]] <- c(positives[1], n[1] - positives[1],
                                             positives[2], n[2] - positives[2])
}

out <- data.frame(set = names(tables), do.call(rbind, tables))
names(out)[2:5] <- c("a", "b", "c", "d")
stopifnot(all(out$a + out$b > 0), all(out$c + out$d > 0))
write.csv(out, "tables.csv", row.names = FALSE, quote = FALSE)
