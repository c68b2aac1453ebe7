# Reference values of Dunnett's two-sided many-to-one distribution, by R's
# adaptive quadrature (integrate) on the product-correlation form:
#   P(max |T_j| > c) = int g(s) int phi(z) [1 - prod_j (1 - q_j)] dz ds
#   q_j = 1 - Phi((c s - l_j z)/r_j) + Phi((-c s - l_j z)/r_j),  r_j = sqrt(1 - l_j^2)
# with l_j = sqrt(n_j / (n_j + n_0)) and g the density of chi_df / sqrt(df).
# The inner integral runs over the whole line (not folded), 1 - prod is taken
# as -expm1(sum log1p(-q)), tolerances 1e-12 relative. multcomp's own
# randomised quasi-Monte Carlo is accurate to about 1e-4 only, so it is not
# the reference; for the critical values the same integral is solved by uniroot.
# Run from this folder:  Rscript dunnett.R > dunnett.csv
# Columns: case, c (statistic or critical value), df (Inf: known variance),
# n0 (control size), n (the treatments' sizes, space separated), upper.

inner <- function(cs, l) {
  r <- sqrt(1 - l^2)
  f <- function(z) sapply(z, function(zz) {
    q <- pnorm((cs - l * zz) / r, lower.tail = FALSE) + pnorm((-cs - l * zz) / r)
    dnorm(zz) * -expm1(sum(log1p(-pmin(q, 1))))
  })
  integrate(f, -Inf, 0, rel.tol = 1e-12, abs.tol = 0, subdivisions = 5000L)$value +
    integrate(f, 0, Inf, rel.tol = 1e-12, abs.tol = 0, subdivisions = 5000L)$value
}

dunnett_upper <- function(c, l, df) {
  if (is.infinite(df)) return(inner(c, l))
  g <- function(s) 2 * df * s * dchisq(df * s^2, df)
  f <- function(s) sapply(s, function(si) g(si) * inner(c * si, l))
  mode <- sqrt(max(df - 1, 0.01) / df)
  integrate(f, 0, mode, rel.tol = 1e-11, abs.tol = 0, subdivisions = 2000L)$value +
    integrate(f, mode, Inf, rel.tol = 1e-11, abs.tol = 0, subdivisions = 2000L)$value
}

lambdas <- function(n0, n) sqrt(n / (n + n0))

row <- function(case, c, df, n0, n, p)
  cat(sprintf("%s,%.17g,%s,%d,%s,%.17g\n", case, c, format(df, digits = 17), as.integer(n0),
              paste(n, collapse = " "), p))

cat("case,c,df,n0,n,upper\n")
# PlantGrowth, ctrl against trt1 and trt2: pooled MSE on 27 df, 10 per group.
pg <- split(PlantGrowth$weight, PlantGrowth$group)
mse <- sum(sapply(pg, function(x) sum((x - mean(x))^2))) / 27
for (g in c("trt1", "trt2")) {
  t <- abs(mean(pg[[g]]) - mean(pg$ctrl)) / sqrt(mse * (1 / 10 + 1 / 10))
  row(paste0("plantgrowth_", g), t, 27, 10, c(10, 10), dunnett_upper(t, lambdas(10, c(10, 10)), 27))
}
cases <- list(
  list("one_treatment", 2.5, 10, 8, 8),                     # the two-sided t test itself
  list("small_control", 3.0, 10, 2, c(100, 100, 3)),        # lambda near 1: a narrow inner peak
  list("small_control_tail", 6.0, 200, 2, c(100, 100, 3)),
  list("nine_unequal", 2.8, 60, 6, 8:16),
  list("nine_equal", 2.8, 90, 10, rep(10, 9)),
  list("nine_unequal_tail", 6, 30, 6, 8:16),
  list("three_df", 2.8, 3, 6, 8:16),
  list("known_variance", 2.2, Inf, 12, c(6, 9, 12)))
for (x in cases) row(x[[1]], x[[2]], x[[3]], x[[4]], x[[5]], dunnett_upper(x[[2]], lambdas(x[[4]], x[[5]]), x[[3]]))
crit <- function(case, alpha, df, n0, n) {
  l <- lambdas(n0, n)
  c <- uniroot(function(c) log(dunnett_upper(c, l, df)) - log(alpha), c(1, 8), tol = 1e-12)$root
  row(paste0("critical_", case), c, df, n0, n, alpha)
}
crit("plantgrowth", 0.05, 27, 10, c(10, 10))
crit("nine_unequal", 0.05, 60, 6, 8:16)
crit("unbalanced", 0.01, 14, 5, c(4, 6, 7))
