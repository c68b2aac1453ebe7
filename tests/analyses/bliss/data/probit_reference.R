# Maximum-likelihood probit fits of the data sets in probit_datasets.csv:
# glm with a binomial family and probit link on log10(dose). The Bliss
# working-probit iteration estimates the same line, so its LD50 must agree.
# Run from this folder: Rscript probit_reference.R > probit_reference.csv
data <- read.csv("probit_datasets.csv")
rows <- lapply(unique(data$set), function(name) {
  s <- data[data$set == name, ]
  fit <- glm(cbind(positives, n - positives) ~ log10(dose), data = s,
             family = binomial(link = "probit"))
  a <- unname(coef(fit)[1]) + 5  # on the probit (normal quantile + 5) scale
  b <- unname(coef(fit)[2])
  data.frame(set = name, a = a, b = b, ld50 = 10^((5 - a) / b))
})
write.csv(do.call(rbind, rows), stdout(), row.names = FALSE, quote = FALSE)
