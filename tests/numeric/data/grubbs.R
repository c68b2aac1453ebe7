# Grubbs' test: exact critical points and P values of the largest |x - mean|/sd
# from Student's t (Grubbs 1950), written out in R.
#   G = (n-1)/sqrt(n) * sqrt(t^2/(n-2+t^2)),  t = qt(1 - alpha/(sides*n), n-2)
#   P = min(1, sides * n * pt(t_G, n-2, lower.tail = FALSE)),  t_G = sqrt(n(n-2)G^2/((n-1)^2 - nG^2))
# The P values are checked on samples whose G R computes from the data.
# Run from this folder:  Rscript grubbs.R > grubbs.csv
point <- function(n, alpha, sides) {
  t <- qt(alpha / (sides * n), n - 2, lower.tail = FALSE)
  (n - 1) / sqrt(n) * sqrt(t^2 / (n - 2 + t^2))
}
pvalue <- function(g, n, sides) {
  t <- sqrt(n * (n - 2) * g^2 / ((n - 1)^2 - n * g^2))
  min(1, sides * n * pt(t, n - 2, lower.tail = FALSE))
}
cat("kind,n,alpha_or_g,sides,value\n")
for (n in c(3, 4, 10, 27, 100, 300)) for (sides in 1:2)
  cat(sprintf("point,%d,0.05,%d,%.17g\n", n, sides, point(n, 0.05, sides)))
samples <- list(c(2.1, 2.4, 2.2, 3.9, 2.3, 2.0), c(5.032, 4.17, 4.81, 4.61, 6.15, 5.87, 4.5, 5.18, 5.33, 5.14),
                PlantGrowth$weight[PlantGrowth$group == "trt1"], c(1, 2, 3))
for (x in samples) {
  g <- max(abs(x - mean(x))) / sd(x)
  for (sides in 1:2) cat(sprintf("pvalue,%d,%.17g,%d,%.17g\n", length(x), g, sides, pvalue(g, length(x), sides)))
}
