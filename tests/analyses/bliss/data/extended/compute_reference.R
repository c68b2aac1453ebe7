# Reference values for the extended Bliss results, from the counts as typed
# (no background-mortality correction), for every set of datasets.csv.
# Written with R 4.2.2. Run from this folder: Rscript compute_reference.R
#
# Models: stats::glm, binomial family, probit and logit links, on x = log10(dose),
# converged to glm.control(epsilon = 1e-12) (the default 1e-8 leaves the
# coefficients uncertain in the 9th digit). V is vcov(fit), dispersion 1.
#
# Fieller limits (Fieller 1954, J R Stat Soc B 16:175; Finney, Probit Analysis,
# 3rd ed., 1971, sec. 4.5): the log dose of response level k is the ratio
# (z_k - b0) / b1 with z_k = qnorm(k) (z_k = qlogis(k) for the logit model). Its
# limits are the roots r of
#   (z_k - b0 - r b1)^2 = z^2 (V00 + 2 r V01 + r^2 V11),   z = qnorm(0.975),
# bounded only when g = z^2 V11 / b1^2 < 1; for g >= 1 the limits are NA. The
# plain covariance of the fit is used whatever the Pearson chi-square says;
# the classic report carries the heterogeneity-corrected limits.
#
# Band of the fitted probit curve: delta method on the linear predictor,
#   eta = b0 + b1 x, se = sqrt(V00 + 2 x V01 + x^2 V11),
#   band = pnorm(eta -/+ 1.96 se),
# at every distinct dose and at the geometric midpoint of each pair of
# neighbouring doses.
#
# Goodness of fit: Pearson chi-square sum (d - n p)^2 / (n p (1 - p)) with
# k - 2 degrees of freedom and its upper-tail P (pchisq); deviance and AIC
# as glm gives them (the AIC's log-likelihood includes log choose(n, d)).
#
# Status of a set: "fitted"; "separated" when every group with a response lies
# at or above (or at or below) every group with a non-response, so that the
# likelihood has no maximum at finite coefficients; "one dose" when all doses
# are equal. Only fitted sets have values.
#
# Writes models.csv (one row per set), ldk.csv (one row per set) and band.csv
# (one row per set and dose), numbers with 17 significant digits, NA where
# undefined.

data <- read.csv("datasets.csv")
ldk_levels <- c(1, 5, 10, 16, 20, 25, 50, 75, 80, 84, 90, 95, 99)
z975 <- qnorm(0.975)

status_of <- function(s) {
  if (length(unique(s$dose)) < 2) return("one dose")
  with_response <- s$dose[s$positives > 0]
  without <- s$dose[s$positives < s$n]
  if (length(with_response) == 0 || length(without) == 0 ||
      max(without) <= min(with_response) || max(with_response) <= min(without))
    return("separated")
  "fitted"
}

fit_model <- function(s, link) {
  glm(cbind(positives, n - positives) ~ log10(dose), data = s,
      family = binomial(link = link), control = glm.control(epsilon = 1e-12, maxit = 100))
}

# Log dose (z_k - b0) / b1 with its Fieller limits on the log10 scale.
fieller <- function(zk, b, V) {
  num <- zk - b[1]; den <- b[2]
  a2 <- den^2 - z975^2 * V[2, 2]
  a1 <- num * den + z975^2 * V[1, 2]
  a0 <- num^2 - z975^2 * V[1, 1]
  g <- z975^2 * V[2, 2] / den^2
  limits <- if (g < 1) sort((a1 + c(-1, 1) * sqrt(a1^2 - a2 * a0)) / a2) else c(NA, NA)
  list(x = num / den, lower = limits[1], upper = limits[2], g = g)
}

model_row <- function(s, link, quantile) {
  fit <- fit_model(s, link)
  stopifnot(fit$converged)
  b <- unname(coef(fit)); V <- unname(vcov(fit))
  p <- fitted(fit)
  chi2 <- sum((s$positives - s$n * p)^2 / (s$n * p * (1 - p)))
  df <- nrow(s) - 2
  ld50 <- fieller(quantile(0.5), b, V)
  data.frame(intercept = b[1], slope = b[2], slope_se = sqrt(V[2, 2]),
             ld50 = 10^ld50$x, ld50_lower = 10^ld50$lower, ld50_upper = 10^ld50$upper,
             g = ld50$g, fieller = if (ld50$g < 1) "bounded" else "unbounded (g >= 1)",
             deviance = fit$deviance, pearson_chi2 = chi2, df = df,
             pearson_p = if (df > 0) pchisq(chi2, df, lower.tail = FALSE) else NA,
             aic = fit$aic)
}

empty_like <- function(row) {
  row[] <- lapply(row, function(v) if (is.character(v)) NA_character_ else NA_real_)
  row
}

prefixed <- function(row, prefix) setNames(row, paste0(prefix, names(row)))

full <- function(df) {
  df[] <- lapply(df, function(v) if (is.numeric(v)) ifelse(is.na(v), "NA", sprintf("%.17g", v)) else ifelse(is.na(v), "NA", v))
  df
}

models <- list(); ldk <- list(); band <- list()
template <- NULL
for (name in unique(data$set)) {
  s <- data[data$set == name, ]
  status <- status_of(s)
  if (status == "fitted") {
    probit <- model_row(s, "probit", qnorm)
    logit <- model_row(s, "logit", qlogis)
    template <- probit
    fit <- fit_model(s, "probit")
    b <- unname(coef(fit)); V <- unname(vcov(fit))
    ld <- lapply(ldk_levels, function(k) {
      f <- fieller(qnorm(k / 100), b, V)
      setNames(data.frame(10^f$x, 10^f$lower, 10^f$upper),
               paste0("ld", k, c("", "_lower", "_upper")))
    })
    ldk[[name]] <- cbind(data.frame(set = name, status = status), do.call(cbind, ld))
    x <- sort(unique(log10(s$dose)))
    x <- sort(c(x, (head(x, -1) + tail(x, -1)) / 2))
    eta <- b[1] + b[2] * x
    se <- sqrt(V[1, 1] + 2 * x * V[1, 2] + x^2 * V[2, 2])
    band[[name]] <- data.frame(set = name, dose = 10^x, eta = eta, eta_se = se,
                               fitted = pnorm(eta), lower = pnorm(eta - 1.96 * se),
                               upper = pnorm(eta + 1.96 * se))
  } else {
    probit <- NULL; logit <- NULL
    ldk[[name]] <- data.frame(set = name, status = status)
  }
  models[[name]] <- list(set = name, groups = nrow(s), status = status, probit = probit, logit = logit)
}

models <- do.call(rbind, lapply(models, function(m) {
  probit <- if (is.null(m$probit)) empty_like(template) else m$probit
  logit <- if (is.null(m$logit)) empty_like(template) else m$logit
  cbind(data.frame(set = m$set, groups = m$groups, status = m$status),
        prefixed(probit, "probit_"), prefixed(logit, "logit_"))
}))
ldk_columns <- names(ldk[["worked_example"]])
ldk <- do.call(rbind, lapply(ldk, function(r) {
  missing <- setdiff(ldk_columns, names(r))
  r[missing] <- NA_real_
  r[ldk_columns]
}))
band <- do.call(rbind, band)

write.csv(full(models), "models.csv", row.names = FALSE, quote = FALSE)
write.csv(full(ldk), "ldk.csv", row.names = FALSE, quote = FALSE)
write.csv(full(band), "band.csv", row.names = FALSE, quote = FALSE)
