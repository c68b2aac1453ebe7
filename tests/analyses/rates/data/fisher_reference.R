# Reference values for the Fisher probabilities of the two-group rates
# analysis, computed independently with R: the one-sided value is
# fisher.test's, the others are sums of R's hypergeometric density (dhyper).
#
#   Rscript fisher_reference.R > fisher_reference.csv
#
# Definitions (x = positives of group R, margins fixed):
#   side:      towards more T positives when a/n1 <= c/n2, compared exactly
#              as whole numbers (a n2 <= c n1), else towards more R positives
#   one-sided: fisher.test(alternative = "less") on the first side,
#              "greater" on the second: P(X <= a) or P(X >= a)
#   opposite:  n1 == n2 -> the one-sided value; otherwise from the far end
#              (largest x on the first side, smallest x otherwise) inward
#              while the rate difference is at least the observed one
#   two-sided: n1 == n2 -> min(1, 2 one-sided); otherwise all tables whose
#              rate difference is at least the observed one
# Rate differences are compared exactly, as whole numbers scaled by n1 n2:
#   |(m1 - x) n1 - x n2| >= |c n1 - a n2|.

fisher_sides <- function(a, b, c, d) {
  n1 <- a + b; n2 <- c + d; m1 <- a + c; m2 <- b + d
  lo <- max(0, m1 - n2); hi <- min(n1, m1)
  xs <- lo:hi
  p <- dhyper(xs, m1, m2, n1)
  prob <- function(x) p[x - lo + 1]
  towards_t <- a * n2 <= c * n1
  one <- fisher.test(matrix(c(a, c, b, d), nrow = 2),
                     alternative = if (towards_t) "less" else "greater")$p.value
  scaled <- abs((m1 - xs) * n1 - xs * n2)
  observed <- abs(c * n1 - a * n2)
  if (n1 == n2) {
    opposite <- one
    two <- min(1, 2 * one)
  } else {
    walk <- if (towards_t) rev(xs) else xs
    opposite <- 0
    for (x in walk) {
      if (scaled[x - lo + 1] < observed) break
      opposite <- opposite + prob(x)
    }
    two <- sum(p[scaled >= observed])
  }
  c(min(1, one), min(1, opposite), min(1, two))
}

tables <- list()
add <- function(a, b, c, d) tables[[length(tables) + 1]] <<- c(a, b, c, d)

# Every table with 1 to 8 subjects: zero cells, empty groups, one-sided margins.
for (N in 1:8) for (a in 0:N) for (b in 0:(N - a)) for (c in 0:(N - a - b)) add(a, b, c, N - a - b - c)

# Tables at the edge of the valid range and of the size limit.
add(3, 1, 3, 1); add(12, 20, 19, 11); add(1, 0, 1, 2)
add(100, 0, 0, 100); add(0, 100, 100, 0); add(200, 0, 0, 0); add(0, 0, 0, 200)
add(1, 99, 99, 1); add(50, 50, 50, 50); add(0, 1, 99, 100); add(199, 0, 0, 1)
add(10, 60, 2, 128); add(2, 0, 0, 198); add(37, 41, 60, 62); add(5, 0, 5, 190)
# Unequal groups whose counts and rates point to opposite sides.
add(12, 48, 9, 11); add(9, 11, 12, 48); add(5, 95, 4, 6); add(3, 1, 6, 14)

# Random tables up to N = 200, a fixed seed so the file can be regenerated.
set.seed(20261210)
for (i in 1:400) {
  N <- sample(1:200, 1)
  cuts <- sort(sample(0:N, 3, replace = TRUE))
  cells <- diff(c(0, cuts, N))
  if (i %% 5 == 0) cells[sample(1:4, 1)] <- 0  # one in five with a zero cell
  add(cells[1], cells[2], cells[3], cells[4])
}

tables <- unique(tables)
cat("a,b,c,d,one_sided,opposite_side,two_sided\n")
for (t in tables) {
  if (sum(t) == 0 || sum(t) > 200) next
  v <- fisher_sides(t[1], t[2], t[3], t[4])
  cat(sprintf("%d,%d,%d,%d,%.17g,%.17g,%.17g\n", t[1], t[2], t[3], t[4], v[1], v[2], v[3]))
}
