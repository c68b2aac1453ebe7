# One-sided 5% points of Grubbs' statistic G = max|x - mean| / SD from the t
# distribution (Grubbs 1950): G = (n-1)/sqrt(n) * sqrt(t^2 / (n-2+t^2)) with t
# the upper 0.05/n point of t with n-2 degrees of freedom. The program's
# table of two-decimal critical values is checked against these.
# Run: Rscript grubbs_points.R > grubbs_points.csv
n <- c(3:25, 30, 35, 40, 50, 60, 80, 100)
t <- qt(0.05 / n, n - 2, lower.tail = FALSE)
g <- (n - 1) / sqrt(n) * sqrt(t^2 / (n - 2 + t^2))
cat("n,g\n")
cat(sprintf("%d,%.17g\n", n, g), sep = "")
