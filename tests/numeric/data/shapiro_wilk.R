# Shapiro-Wilk W and P from R's shapiro.test (base R's own AS R94 code) for
# samples from n = 3 to 3000: exact n = 3, the small-sample transformation
# (4-11), the large-sample one (12 on), ties, a large offset, PlantGrowth.
# Run from this folder:  Rscript shapiro_wilk.R > shapiro_wilk.csv
# Columns: case, values (space separated, 17 digits), w, p.
set.seed(20240522)
samples <- list(
  three = c(1.5, 2, 4.5),
  three_even = c(1, 2, 3),
  four = c(3.1, 2.7, 5.9, 3.3),
  five = c(10, 11, 11, 12, 30),
  six = c(5.1, 4.9, 5.6, 5.8, 6.0, 5.2),
  eleven = c(4.2, 3.9, 5.5, 4.8, 4.4, 6.1, 5.0, 4.7, 4.3, 5.2, 9.8),
  twelve = round(rnorm(12, 50, 8), 1),
  plantgrowth_ctrl = PlantGrowth$weight[PlantGrowth$group == "ctrl"],
  plantgrowth_residuals = PlantGrowth$weight - ave(PlantGrowth$weight, PlantGrowth$group),
  ties = c(rep(1, 5), rep(2, 8), rep(3, 6), 4, 7),
  offset = 1e6 + c(0.11, 0.52, 0.23, 0.38, 0.47, 0.19, 0.33, 0.41),
  skewed_60 = round(rexp(60, 0.2), 2),
  normal_300 = round(rnorm(300, 100, 15), 2),
  normal_3000 = round(rnorm(3000), 4))
cat("case,values,w,p\n")
for (name in names(samples)) {
  x <- samples[[name]]
  t <- shapiro.test(x)
  cat(sprintf("%s,%s,%.17g,%.17g\n", name, paste(sprintf("%.17g", x), collapse = " "), t$statistic, t$p.value))
}
