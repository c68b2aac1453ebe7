# Writes the generated data sets of probit_datasets.csv (sets "generated12"
# and "falling"); run once, the output is committed.
set.seed(20261210)
dose <- signif(exp(seq(log(2), log(90), length.out = 12)), 4)
n <- sample(8:30, 12, replace = TRUE)
d <- rbinom(12, n, pnorm(-4.1 + 3.0 * log10(dose)))
falling_dose <- c(3, 6, 12, 24, 48)
falling_n <- c(15, 15, 16, 14, 15)
falling_d <- rbinom(5, falling_n, pnorm(3.2 - 2.4 * log10(falling_dose)))
out <- rbind(data.frame(set = "generated12", dose = dose, n = n, positives = d),
             data.frame(set = "falling", dose = falling_dose, n = falling_n, positives = falling_d))
write.csv(out, stdout(), row.names = FALSE, quote = FALSE)
