# Limits of the noncentrality of an observed F: the lambda with
# P(F' <= F | lambda) = (1 + level)/2 and (1 - level)/2 (0 when even
# lambda = 0 leaves F too small), solved by uniroot to 1e-14.
# Run from this folder:  Rscript noncentral_f_limits.R > noncentral_f_limits.csv
# The noncentral F below f as its Poisson mixture of beta distributions,
# summed term by term (R's pf(ncp =) stops at an error of about 1e-10).
pnf_sum <- function(f, d1, d2, l) {
  x <- d1 * f / (d1 * f + d2)
  js <- 0:ceiling(l / 2 + 60 * sqrt(l / 2 + 1) + 200)
  sum(dpois(js, l / 2) * pbeta(x, d1 / 2 + js, d2 / 2))
}
limit <- function(f, d1, d2, target) {
  g <- function(l) pnf_sum(f, d1, d2, l) - target
  if (g(0) <= 0) return(0)
  hi <- max(1, f * d1); while (g(hi) > 0) hi <- hi * 2
  uniroot(g, c(0, hi), tol = 1e-14)$root
}
cat("f,df1,df2,level,lower,upper\n")
cases <- list(c(4.846088, 2, 27, 0.95), c(4.846088, 2, 27, 0.90), c(0.3, 3, 20, 0.95), c(2.9, 3, 20, 0.95),
              c(25.5, 5, 54, 0.95), c(1.2, 9, 2990, 0.90))
for (x in cases)
  cat(sprintf("%.17g,%g,%g,%g,%.17g,%.17g\n", x[1], x[2], x[3], x[4], limit(x[1], x[2], x[3], (1 + x[4]) / 2),
              limit(x[1], x[2], x[3], (1 - x[4]) / 2)))
