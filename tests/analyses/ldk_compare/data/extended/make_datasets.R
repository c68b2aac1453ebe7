# Batches for the extended LDk comparison reference values: the worked
# example, hand-made edge cases and generated sets of 2 to 10 batches.
# Written with R 4.2.2. Run from this folder, once; the output is committed:
#   Rscript make_datasets.R
# Writes datasets.csv: set, batch (1 to 10, grid order), ld50, l95.

sets <- list()
add <- function(name, ld50, l95) {
  stopifnot(length(ld50) == length(l95), length(ld50) <= 10, all(ld50 > 0), all(l95 > 0))
  sets[[name]] <<- data.frame(set = name, batch = seq_along(ld50), ld50 = ld50, l95 = l95)
}

add("worked_example", c(14, 20, 18), c(2.9, 5, 3.2))
add("single_batch", 14, 2.9)
add("two_batches", c(3.2, 4.1), c(0.6, 0.9))
add("identical_batches", c(25, 25, 31), c(4, 4, 5))
add("all_identical", c(8.5, 8.5, 8.5, 8.5), c(1.2, 1.2, 1.2, 1.2))
add("ten_batches", c(14, 20, 18, 15.5, 22.3, 16.8, 19.1, 13.2, 24.6, 17.7),
    c(2.9, 5, 3.2, 2.4, 4.4, 3.1, 3.6, 2.2, 5.3, 2.8))
add("far_apart", c(1.5, 150), c(0.1, 9))
add("limits_wider_than_dose", c(5, 12, 40), c(7.5, 15, 52))
add("large_doses", c(125000, 98000, 143500), c(15200, 12750, 20100))
add("small_doses", c(0.0042, 0.0037, 0.0061), c(0.0006, 0.0005, 0.0011))

# Generated sets: 2 to 10 batches around a common dose, each L95 5% to 60%
# of its LD50, four decimals as the grid shows them.
set.seed(20261213)
for (i in 1:55) {
  k <- sample(2:10, 1)
  centre <- exp(runif(1, log(0.5), log(2000)))
  ld50 <- round(centre * exp(rnorm(k, 0, runif(1, 0.02, 0.4))), 4)
  l95 <- round(ld50 * runif(k, 0.05, 0.6), 4)
  add(sprintf("generated%02d", i), ld50, l95)
}

out <- do.call(rbind, sets)
options(scipen = 100)
write.csv(out, "datasets.csv", row.names = FALSE, quote = FALSE)
