# Reference values for the quantal-response maximum-likelihood engine
# (numeric/quantal_fit): binomial groups with P = C + (1 - C) F(X theta),
# F = pnorm (probit) or plogis (logit), C the natural response rate.
# Written with R 4.2.2, base R only. Run from this folder:
#   Rscript quantal_fit_reference.R
# Writes quantal_fit_reference.csv: case, quantity, value (17 significant digits).
#
# The fits are this script's own Newton-Raphson on the log-likelihood with
# step halving, stopped when the largest step relative to its parameter (or
# absolute below 1) is under 1e-10; the covariance is the inverse of the
# OBSERVED information at the estimate (for the probit it differs from the
# expected information that glm's vcov() uses). Each fit is checked here
# against an independent route: glm's coefficients and deviance where C = 0,
# a direct maximisation with optim() where C is estimated.

newton_fit <- function(X, n, r, control, link, C = NULL, estimate_C = FALSE) {
  F <- if (link == "probit") pnorm else plogis
  f <- if (link == "probit") dnorm else dlogis
  fp <- if (link == "probit") function(e) -e * dnorm(e) else function(e) dlogis(e) * (1 - 2 * plogis(e))
  p <- ncol(X)
  if (is.null(C)) C <- 0
  keep <- !control | estimate_C        # controls inform an estimated C only
  params <- function(th) list(beta = th[1:p], C = if (estimate_C) th[p + 1] else C)
  prob <- function(th) {
    q <- params(th); eta <- drop(X %*% q$beta)
    P <- ifelse(control, q$C, q$C + (1 - q$C) * F(eta))
    P1 <- ifelse(control, 1 - q$C, (1 - q$C) * F(-eta))
    list(P = P, P1 = P1, eta = eta, C = q$C)
  }
  loglik <- function(th) {
    s <- prob(th)
    if (estimate_C && (s$C < 0 || s$C >= 1)) return(-Inf)
    sum((r * log(s$P) + (n - r) * log(s$P1))[keep])
  }
  derivs <- function(th) {
    s <- prob(th); m <- length(th)
    a <- r / s$P - (n - r) / s$P1
    b <- -r / s$P^2 - (n - r) / s$P1^2
    g <- rep(0, m); H <- matrix(0, m, m)
    for (i in which(keep)) {
      dP <- rep(0, m); d2P <- matrix(0, m, m)
      if (!control[i]) {
        dP[1:p] <- (1 - s$C) * f(s$eta[i]) * X[i, ]
        d2P[1:p, 1:p] <- (1 - s$C) * fp(s$eta[i]) * outer(X[i, ], X[i, ])
        if (estimate_C) {
          dP[p + 1] <- 1 - F(s$eta[i])
          d2P[1:p, p + 1] <- d2P[p + 1, 1:p] <- -f(s$eta[i]) * X[i, ]
        }
      } else {
        dP[p + 1] <- 1
      }
      g <- g + a[i] * dP
      H <- H + b[i] * outer(dP, dP) + a[i] * d2P
    }
    list(g = g, H = H)
  }
  eta0 <- (r + 0.5) / (n + 1)
  start <- if (link == "probit") qnorm(pmin(pmax(eta0, 0.01), 0.99)) else qlogis(pmin(pmax(eta0, 0.01), 0.99))
  th <- unname(coef(lm(start[!control] ~ X[!control, ] - 1)))
  if (estimate_C) th <- c(th, max(0.01, if (any(control)) sum(r[control]) / sum(n[control]) else 0.05))
  for (it in 1:500) {
    d <- derivs(th)
    step <- -solve(d$H, d$g)
    if (max(abs(step) / pmax(abs(th), 1)) < 1e-10) { th <- th + step; break }
    # A fall of the likelihood within rounding (1e-12 relative) is no fall.
    s <- 1; l0 <- loglik(th) - 1e-12 * (1 + abs(loglik(th)))
    while (loglik(th + s * step) < l0 && s > 1e-12) s <- s / 2
    th <- th + s * step
  }
  stopifnot(it < 500)
  s <- prob(th)
  V <- solve(-derivs(th)$H)
  dev <- 2 * sum((ifelse(r > 0, r * log(r / (n * s$P)), 0) +
                  ifelse(n > r, (n - r) * log((n - r) / (n * s$P1)), 0))[keep])
  x2 <- sum(((r - n * s$P)^2 / (n * s$P * s$P1))[keep])
  ll <- sum((lchoose(n, r) + r * log(s$P) + (n - r) * log(s$P1))[keep])
  list(theta = th, V = V, deviance = dev, pearson = x2, df = sum(keep) - length(th),
       loglik = ll, fitted = s$P, loglik_fn = loglik)
}

rows <- list()
put <- function(case, quantity, value)
  rows[[length(rows) + 1]] <<- data.frame(case = case, quantity = quantity, value = sprintf("%.17g", value))
record <- function(case, fit) {
  for (k in seq_along(fit$theta)) put(case, paste0("theta", k - 1), fit$theta[k])
  m <- length(fit$theta)
  for (i in 1:m) for (j in i:m) put(case, paste0("cov", i - 1, j - 1), fit$V[i, j])
  put(case, "deviance", fit$deviance); put(case, "pearson", fit$pearson)
  put(case, "df", fit$df); put(case, "loglik", fit$loglik)
}

# Rotenone (Martin 1942, in Finney, Probit Analysis): one probit line.
rot <- data.frame(dose = c(2.6, 3.8, 5.1, 7.7, 10.2), n = c(50, 48, 46, 49, 50), r = c(6, 16, 24, 42, 44))
deg <- data.frame(dose = c(5.1, 10, 20.4, 30.2, 40.7, 50.1), n = c(49, 48, 48, 49, 50, 48),
                  r = c(16, 18, 34, 47, 47, 48))
mix <- data.frame(dose = c(2.5, 5.1, 10, 15.1, 20.4, 25.1), n = c(47, 46, 46, 48, 46, 50),
                  r = c(7, 22, 27, 38, 43, 48))

line_design <- function(d) cbind(1, log10(d$dose))
no_controls <- function(d) rep(FALSE, nrow(d))
check_glm <- function(fit, d, X, link) {
  g <- glm(cbind(d$r, d$n - d$r) ~ X - 1, family = binomial(link = link),
           control = glm.control(epsilon = 1e-14, maxit = 100))
  stopifnot(max(abs(coef(g) - fit$theta)) < 1e-7, abs(g$deviance - fit$deviance) < 1e-8)
}

fit <- newton_fit(line_design(rot), rot$n, rot$r, no_controls(rot), "probit")
check_glm(fit, rot, line_design(rot), "probit"); record("rotenone_probit", fit)

fit <- newton_fit(line_design(deg), deg$n, deg$r, no_controls(deg), "logit")
check_glm(fit, deg, line_design(deg), "logit"); record("deguelin_logit", fit)

# The three preparations on parallel probit lines: an intercept each, one slope.
all <- rbind(cbind(rot, prep = 1), cbind(deg, prep = 2), cbind(mix, prep = 3))
Xp <- cbind(outer(all$prep, 1:3, "==") * 1, log10(all$dose))
fit <- newton_fit(Xp, all$n, all$r, no_controls(all), "probit")
check_glm(fit, all, Xp, "probit"); record("finney_parallel_probit", fit)

# Natural response estimated, with a control group of dose 0 in the
# likelihood: rotenone with 4 of 60 controls responding, and with groups
# raised as a natural rate of about 8 % would raise them.
natural <- data.frame(dose = c(0, 2.6, 3.8, 5.1, 7.7, 10.2), n = c(60, 50, 48, 46, 49, 50),
                      r = c(4, 9, 19, 26, 43, 45))
control <- natural$dose == 0
Xn <- cbind(1, ifelse(control, 0, log10(pmax(natural$dose, 1))))
check_optim <- function(fit) {
  o <- optim(fit$theta, function(th) -fit$loglik_fn(th), method = "BFGS",
             control = list(reltol = 1e-15, maxit = 1000))
  stopifnot(max(abs(o$par - fit$theta)) < 1e-4)
}
fit <- newton_fit(Xn, natural$n, natural$r, control, "probit", estimate_C = TRUE)
check_optim(fit); record("natural_estimated_probit", fit)
fit <- newton_fit(Xn, natural$n, natural$r, control, "logit", estimate_C = TRUE)
check_optim(fit); record("natural_estimated_logit", fit)

# Natural response fixed at the controls' rate (Abbott): the controls leave
# the likelihood.
fit <- newton_fit(Xn, natural$n, natural$r, control, "probit", C = 4 / 60)
record("natural_fixed_probit", fit)

# Controls with no response and a line that needs no natural rate: the
# likelihood is largest at C = 0 (its score there is negative), and the fit
# is that of the line alone.
boundary <- data.frame(dose = c(0, 2.6, 3.8, 5.1, 7.7, 10.2), n = c(60, 50, 48, 46, 49, 50),
                       r = c(0, 6, 16, 24, 42, 44))
bc <- boundary$dose == 0
Xb <- cbind(1, ifelse(bc, 0, log10(pmax(boundary$dose, 1))))
alone <- newton_fit(Xb, boundary$n, boundary$r, bc, "probit")
# dl/dC at C = 0: -n for a control group with no response, (dl/dP)(1 - F) for a dose group.
s <- alone$fitted
a <- ifelse(bc, -boundary$n, boundary$r / s - (boundary$n - boundary$r) / (1 - s))
score_at_zero <- sum(ifelse(bc, a, a * (1 - s)))
stopifnot(score_at_zero < 0)
profile <- optimize(function(C) newton_fit(Xb, boundary$n, boundary$r, bc, "probit", C = C)$loglik +
                      sum(dbinom(0, boundary$n[bc], C, log = TRUE)), c(0, 0.2), maximum = TRUE)
stopifnot(profile$maximum < 1e-4)
record("natural_at_zero_probit", alone)
put("natural_at_zero_probit", "score_at_zero", score_at_zero)

out <- do.call(rbind, rows)
write.csv(out, "quantal_fit_reference.csv", row.names = FALSE, quote = FALSE)
