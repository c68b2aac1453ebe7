# Reference values for the worksheet functions, computed with R (r-base-core).
# Run from this folder:  Rscript reference_values.R > reference_values.csv
# Columns: function;first values;second values;argument 1;argument 2;argument 3;expected
# Value lists are space separated. Inputs are printed with 15 significant
# digits (the decimals as typed), results with 17 (every bit R computed).

arg <- function(v) sprintf("%.15g", v)
num <- function(v) sprintf("%.17g", v)
lst <- function(v) paste(arg(v), collapse = " ")
opt <- function(v) if (is.na(v)) "" else arg(v)
row <- function(fn, x = NULL, y = NULL, a1 = NA, a2 = NA, a3 = NA, value) {
  cat(fn, if (is.null(x)) "" else lst(x), if (is.null(y)) "" else lst(y),
      opt(a1), opt(a2), opt(a3), num(value),
      sep = ";")
  cat("\n")
}

# Spreadsheet formulas for the shape statistics (sample sd, n - 1 divisor).
skew <- function(x) { n <- length(x); z <- (x - mean(x)) / sd(x)
  n / ((n - 1) * (n - 2)) * sum(z^3) }
kurt <- function(x) { n <- length(x); z <- (x - mean(x)) / sd(x)
  n * (n + 1) / ((n - 1) * (n - 2) * (n - 3)) * sum(z^4) -
    3 * (n - 1)^2 / ((n - 2) * (n - 3)) }
# Most frequent value; ties go to the value met first in the given order.
mode_first <- function(x) { u <- unique(x); counts <- sapply(u, function(v) sum(x == v))
  u[which.max(counts)] }

cat("function;x;y;a1;a2;a3;expected\n")

samples <- list(
  c(3, 4, 5, 2, 3, 4, 5, 6, 4, 7),
  c(57, 75, 66, 98, 92, 80),
  c(0.25, 1.5, 2, 8, 12.5, 0.75, 3.2),
  1e8 + c(1.5, 2.25, 3, 7.75, 4.125),      # large common offset
  c(-2.5, 0.5, 1, 1, -2.5, 4),              # two modes: -2.5 comes first
  c(1, 2, 3))
for (x in samples) {
  row("AVERAGE", x, value = mean(x))
  row("STDEV", x, value = sd(x))
  row("MIN", x, value = min(x))
  row("MAX", x, value = max(x))
  row("MEDIAN", x, value = median(x))
  for (k in c(0, 0.25, 0.3, 0.75, 1))
    row("PERCENTILE", x, a1 = k, value = unname(quantile(x, k, type = 7)))
  if (any(duplicated(x))) row("MODE", x, value = mode_first(x))
  if (all(x > 0)) {
    row("GEOMEAN", x, value = exp(mean(log(x))))
    row("HARMEAN", x, value = 1 / mean(1 / x))
  }
  if (length(x) >= 3) row("SKEW", x, value = skew(x))
  if (length(x) >= 4) row("KURT", x, value = kurt(x))
}

for (v in c(-1, -0.5, 0, 0.3, 0.999, 1)) row("ASIN", a1 = v, value = asin(v))

for (df in c(1, 2, 4, 10))
  for (x in c(0, 0.5, 3.4078, 3.841459, 18.307, 50))
    row("CHIDIST", a1 = x, a2 = df, value = pchisq(x, df, lower.tail = FALSE))

for (p in c(0.01, 0.05, 0.5, 1))
  for (dfs in list(c(1, 1), c(6, 4), c(5, 10), c(20, 3), c(12, 30)))
    row("FINV", a1 = p, a2 = dfs[1], a3 = dfs[2],
        value = qf(p, dfs[1], dfs[2], lower.tail = FALSE))

for (df in c(1, 2, 5, 19, 30, 9999))
  for (x in c(0, 0.5, 1.96, 2.147, 3.5, 10)) {
    row("TDIST", a1 = x, a2 = df, a3 = 1, value = pt(x, df, lower.tail = FALSE))
    row("TDIST", a1 = x, a2 = df, a3 = 2, value = 2 * pt(x, df, lower.tail = FALSE))
  }

# Far tails: upper-tail algorithms keep these digits, 1 - cdf would give 0.
row("TDIST", a1 = 20, a2 = 9999, a3 = 2, value = 2 * pt(20, 9999, lower.tail = FALSE))
row("TDIST", a1 = 12, a2 = 5, a3 = 1, value = pt(12, 5, lower.tail = FALSE))
row("CHIDIST", a1 = 400, a2 = 1, value = pchisq(400, 1, lower.tail = FALSE))
row("CHIDIST", a1 = 150, a2 = 10, value = pchisq(150, 10, lower.tail = FALSE))

for (df in c(1, 2, 4, 10, 19, 9999))
  for (p in c(0.01, 0.02, 0.05, 0.1, 0.5, 1))
    row("TINV", a1 = p, a2 = df, value = qt(p / 2, df, lower.tail = FALSE))

pairs <- list(
  list(c(3, 4, 5, 8, 9, 1, 2, 4, 5), c(6, 19, 3, 2, 14, 4, 5, 17, 1)),
  list(c(57, 75, 66, 98, 92, 80), c(87, 65, 45, 95, 88, 79)),
  list(c(12.1, 14.3, 11.8, 15.2, 13.9, 12.7),
       c(18.4, 9.1, 22.7, 15.3, 7.9, 20.2, 25.1, 11.0)))
for (pr in pairs) {
  a <- pr[[1]]; b <- pr[[2]]
  for (tails in 1:2) {
    if (length(a) == length(b))
      row("TTEST", a, b, a1 = tails, a2 = 1,
          value = t.test(a, b, paired = TRUE)$p.value * tails / 2)
    row("TTEST", a, b, a1 = tails, a2 = 2,
        value = t.test(a, b, var.equal = TRUE)$p.value * tails / 2)
    row("TTEST", a, b, a1 = tails, a2 = 3,
        value = t.test(a, b, var.equal = FALSE)$p.value * tails / 2)
  }
}

lines <- list(
  list(c(0.301, 0.477, 0.602, 0.699, 0.778), c(3.72, 4.16, 4.75, 5.25, 5.84)),
  list(c(1, 2, 3, 4, 5, 6), c(10.5, 9.25, 7.5, 7.75, 4.0, 3.5)),
  list(1e6 + c(1, 2, 4, 8), c(2.5, 3.1, 5.2, 9.3)))
for (ln in lines) {
  x <- ln[[1]]; y <- ln[[2]]
  fit <- coef(lm(y ~ x))
  row("SLOPE", y, x, value = unname(fit[2]))
  row("INTERCEPT", y, x, value = unname(fit[1]))
}
