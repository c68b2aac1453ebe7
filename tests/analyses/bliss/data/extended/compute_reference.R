# Reference values for the extended Bliss results, from the counts as typed
# (no background-mortality correction), for every set of datasets.csv.
# Written with R 4.2.2, base R only. Run from this folder: Rscript compute_reference.R
#
# Models: binomial likelihood with probit and logit links on x = log10(dose),
# maximised by this script's own Newton-Raphson (step halving when the
# likelihood falls), stopped when the largest step relative to its
# coefficient (or absolute below 1) is under 1e-10. V is the inverse of the
# OBSERVED information at the estimate: for the logit it equals glm's vcov();
# for the probit it differs from it (the expected information) in the third
# digit of an SE. Each fit is checked against glm's coefficients and deviance
# (glm stops on the change of the deviance, so only to 1e-5).
#
# Heterogeneity (Finney, Probit Analysis, 3rd ed., 1971, sec. 4.4): when the
# Pearson chi-square X^2 on k - 2 df has P < 0.15, V is multiplied by
# h = X^2 / df and limits use t = qt(0.975, df) instead of z = qnorm(0.975).
#
# Fieller limits (Fieller 1954, J R Stat Soc B 16:175; Finney, sec. 4.5): the
# log dose of response level k is the ratio (z_k - b0) / b1 with z_k = qnorm(k)
# (qlogis(k) for the logit model). Its limits are the roots r of
#   (z_k - b0 - r b1)^2 = t^2 (V00 + 2 r V01 + r^2 V11),
# bounded only when g = t^2 V11 / b1^2 < 1; for g >= 1 the limits are NA.
#
# Band of the fitted probit curve: delta method on the linear predictor,
#   eta = b0 + b1 x, se = sqrt(V00 + 2 x V01 + x^2 V11),
#   band = pnorm(eta -/+ m se), m = 1.96 (t when heterogeneity applies),
# at every distinct dose and at the geometric midpoint of each pair of
# neighbouring doses.
#
# Goodness of fit: Pearson chi-square sum (d - n p)^2 / (n p (1 - p)) with
# k - 2 degrees of freedom and its upper-tail P (pchisq); deviance (never below
# 0) and AIC = -2 log L + 4, log L including log choose(n, d).
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

status_of <- function(s) {
  if (length(unique(s$dose)) < 2) return("one dose")
  with_response <- s$dose[s$positives > 0]
  without <- s$dose[s$positives < s$n]
  if (length(with_response) == 0 || length(without) == 0 ||
      max(without) <= min(with_response) || max(with_response) <= min(without))
    return("separated")
  "fitted"
}

# Newton-Raphson with the observed information; returns the coefficients,
# the covariance (heterogeneity applied), the limit multiplier and the fit's
# goodness-of-fit figures.
fit_model <- function(s, link) {
  F <- if (link == "probit") pnorm else plogis
  f <- if (link == "probit") dnorm else dlogis
  fp <- if (link == "probit") function(e) -e * dnorm(e) else function(e) dlogis(e) * (1 - 2 * plogis(e))
  X <- cbind(1, log10(s$dose)); n <- s$n; r <- s$positives
  loglik <- function(b) {
    eta <- drop(X %*% b)
    sum(ifelse(r > 0, r * F(eta, log.p = TRUE), 0) + ifelse(n > r, (n - r) * F(-eta, log.p = TRUE), 0))
  }
  hessian <- function(b) {
    eta <- drop(X %*% b); P <- F(eta); Q <- F(-eta)
    a <- r / P - (n - r) / Q; c2 <- -r / P^2 - (n - r) / Q^2
    list(score = drop(t(X) %*% (a * f(eta))), H = t(X) %*% ((c2 * f(eta)^2 + a * fp(eta)) * X),
         expected = t(X) %*% ((n * f(eta)^2 / (P * Q)) * X))
  }
  start <- (r + 0.5) / (n + 1)
  b <- unname(coef(lm((if (link == "probit") qnorm(start) else qlogis(start)) ~ X[, 2])))
  for (it in 1:200) {
    d <- hessian(b)
    # Far from the estimate the observed information of the probit need not
    # be positive definite: that round takes the Fisher-scoring step.
    positive <- all(eigen(-d$H, symmetric = TRUE, only.values = TRUE)$values > 0)
    step <- if (positive) -solve(d$H, d$score) else solve(d$expected, d$score)
    if (max(abs(step) / pmax(abs(b), 1)) < 1e-10) { b <- b + step; break }
    # A fall of the likelihood within rounding (1e-12 relative) is no fall.
    scale <- 1; l0 <- loglik(b) - 1e-12 * (1 + abs(loglik(b)))
    while (loglik(b + scale * step) < l0 && scale > 1e-12) scale <- scale / 2
    b <- b + scale * step
  }
  if (it >= 200) stop("no convergence: ", s$set[1], " ", link)
  g <- glm(cbind(positives, n - positives) ~ log10(dose), data = s, family = binomial(link = link),
           control = glm.control(epsilon = 1e-12, maxit = 100))
  # glm stops on the change of the deviance, which leaves its coefficients
  # right to about 1e-7 only: the two routes agree to 1e-5.
  stopifnot(max(abs(coef(g) - b) / pmax(abs(b), 1)) < 1e-5)
  eta <- drop(X %*% b); p <- F(eta)
  V <- solve(-hessian(b)$H)
  chi2 <- sum((r - n * p)^2 / (n * p * (1 - p)))
  df <- nrow(s) - 2
  pearson_p <- pchisq(chi2, df, lower.tail = FALSE)
  h <- if (pearson_p < 0.15) chi2 / df else 1
  deviance <- max(0, 2 * sum(ifelse(r > 0, r * log(r / (n * p)), 0) +
                               ifelse(n > r, (n - r) * log((n - r) / (n * (1 - p))), 0)))
  stopifnot(abs(deviance - g$deviance) < 1e-7)
  list(b = b, V_plain = V, V = h * V, h = h, heterogeneous = pearson_p < 0.15,
       multiplier = if (pearson_p < 0.15) qt(0.975, df) else qnorm(0.975),
       chi2 = chi2, df = df, pearson_p = pearson_p, deviance = deviance,
       aic = -2 * sum(dbinom(r, n, p, log = TRUE)) + 4)
}

# Log dose (z_k - b0) / b1 with its Fieller limits on the log10 scale.
fieller <- function(zk, b, V, m) {
  num <- zk - b[1]; den <- b[2]
  a2 <- den^2 - m^2 * V[2, 2]
  a1 <- num * den + m^2 * V[1, 2]
  a0 <- num^2 - m^2 * V[1, 1]
  g <- m^2 * V[2, 2] / den^2
  limits <- if (g < 1) sort((a1 + c(-1, 1) * sqrt(a1^2 - a2 * a0)) / a2) else c(NA, NA)
  list(x = num / den, lower = limits[1], upper = limits[2], g = g)
}

model_row <- function(s, link, quantile) {
  fit <- fit_model(s, link)
  ld50 <- fieller(quantile(0.5), fit$b, fit$V, fit$multiplier)
  data.frame(intercept = fit$b[1], slope = fit$b[2], slope_se = sqrt(fit$V[2, 2]),
             ld50 = 10^ld50$x, ld50_lower = 10^ld50$lower, ld50_upper = 10^ld50$upper,
             g = ld50$g, fieller = if (ld50$g < 1) "bounded" else "unbounded (g >= 1)",
             deviance = fit$deviance, pearson_chi2 = fit$chi2, df = fit$df,
             pearson_p = fit$pearson_p, h = if (fit$heterogeneous) fit$h else NA,
             multiplier = fit$multiplier, aic = fit$aic)
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
    b <- fit$b; V <- fit$V
    ld <- lapply(ldk_levels, function(k) {
      f <- fieller(qnorm(k / 100), b, V, fit$multiplier)
      setNames(data.frame(10^f$x, 10^f$lower, 10^f$upper),
               paste0("ld", k, c("", "_lower", "_upper")))
    })
    ldk[[name]] <- cbind(data.frame(set = name, status = status), do.call(cbind, ld))
    x <- sort(unique(log10(s$dose)))
    x <- sort(c(x, (head(x, -1) + tail(x, -1)) / 2))
    eta <- b[1] + b[2] * x
    se <- sqrt(V[1, 1] + 2 * x * V[1, 2] + x^2 * V[2, 2])
    m <- if (fit$heterogeneous) fit$multiplier else 1.96
    band[[name]] <- data.frame(set = name, dose = 10^x, eta = eta, eta_se = se,
                               fitted = pnorm(eta), lower = pnorm(eta - m * se),
                               upper = pnorm(eta + m * se))
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
