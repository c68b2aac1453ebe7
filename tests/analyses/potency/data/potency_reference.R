# Reference values for the potency comparison: preparations fitted together
# from their dose groups (datasets.csv), for the cases listed at the end.
# Written with R 4.2.2; base R and MASS (Debian r-cran-mass). Run from this
# folder:  Rscript potency_reference.R
# Writes reference.csv: case, quantity, value (17 significant digits, NA
# where a figure does not exist).
#
# Model: P = C + (1 - C) F(eta), F = pnorm (probit) or plogis (logit),
# eta = alpha_j + beta_j x, x = log10(dose). C, the natural response rate, is
# absent, fixed at the controls' rate (Abbott), or estimated with the control
# groups (dose 0) in the likelihood: one C shared by the preparations without
# controls of their own (rows named 对照), one for each preparation with its
# own. An estimated C whose likelihood is largest at 0 is set to 0 and the
# model refitted without it.
#
# Fits: this script's own Newton-Raphson on the log-likelihood (step halving
# when it falls by more than rounding), stopped when the largest step
# relative to its parameter (or absolute below 1) is under 1e-10; the
# covariance is the inverse of the OBSERVED information. Fits without C are
# checked against glm (coefficients to 1e-6, deviance to 1e-6), which uses
# the expected information for its vcov(); the budworm figures also against
# MASS::dose.p.
#
# Heterogeneity (Finney, Probit Analysis, 3rd ed., 1971): when the Pearson
# X^2 of a fit has P(chi2_df > X^2) < 0.15, h = X^2/df multiplies its
# covariance and limits use qt(0.975, df) instead of qnorm(0.975); each model
# test gains F = (G^2/ddf)/h on (ddf, df) with h and df of the larger model.
#
# Figures:
# - each preparation's own line (its dose groups, and its controls when C is
#   estimated): a, b, SE(b), X^2, df, P, h, LD10/LD50/LD90 and the extra
#   levels with Fieller limits;
# - the three nested models (separate lines, parallel lines, one line):
#   deviance, X^2, df; parallelism D_par - D_sep, equality D_one - D_par
#   (k - 1 df each), coincidence D_one - D_sep (2(k - 1) df);
# - parallel lines: common slope and SE, each LD50 with Fieller limits, the
#   relative median potency of each pair RMP_ij = LD50_i / LD50_j = 10^m,
#   m = (alpha_j - alpha_i) / beta, with Fieller limits (v11 = V_ii + V_jj -
#   2 V_ij, v22 = V_bb, v12 = V_jb - V_ib, g = t^2 v22 / beta^2), delta-method
#   limits 10^(m -/+ t SE(m)), SE(m)^2 = (v11 - 2 m v12 + m^2 v22) / beta^2,
#   and profile-likelihood limits: the m at which the deviance of the
#   parallel lines constrained to alpha_j = alpha_i + m beta exceeds its
#   minimum by t^2 h (qchisq(0.95, 1) without heterogeneity);
# - the LDk ratio test of each pair of own lines (Robertson et al. 2007;
#   Wheeler, Park & Bailer 2006): x_k = (q_k - a) / b,
#   var x_k = (V_aa + 2 x V_ab + x^2 V_bb) / b^2 times h of a heterogeneous
#   line, log10 R = x_ki - x_kj, limits 10^(log10 R -/+ z SE), z test, Holm
#   over the pairs at each level; and the same limits without h;
# - the Pearson-difference parallelism statistic X^2_par - X^2_sep on k - 1 df.

library(MASS)

newton <- function(X, n, r, control, block, link, mode, rates) {
  F <- if (link == "probit") pnorm else plogis
  f <- if (link == "probit") dnorm else dlogis
  fp <- if (link == "probit") function(e) -e * dnorm(e) else function(e) dlogis(e) * (1 - 2 * plogis(e))
  p <- ncol(X); B <- length(rates)
  active <- rep(mode == "estimate", B)
  keep <- function() !control | active[block]
  run <- function(theta) {
    unpack <- function(th) {
      C <- rates; C[active] <- th[p + seq_len(sum(active))]
      list(beta = th[1:p], C = C)
    }
    state <- function(th) {
      u <- unpack(th); eta <- drop(X %*% u$beta); Cg <- u$C[block]
      list(eta = eta, C = Cg, P = ifelse(control, Cg, Cg + (1 - Cg) * F(eta)),
           Q = ifelse(control, 1 - Cg, (1 - Cg) * F(-eta)))
    }
    loglik <- function(th) {
      s <- state(th); k <- keep()
      if (any(s$P[k] < 0 | s$Q[k] < 0)) return(-Inf)
      v <- sum((ifelse(r > 0, r * log(s$P), 0) + ifelse(n > r, (n - r) * log(s$Q), 0))[k])
      if (is.nan(v)) -Inf else v
    }
    derivs <- function(th) {
      s <- state(th); m <- length(th); cidx <- rep(0, B); cidx[active] <- p + seq_len(sum(active))
      g <- rep(0, m); H <- matrix(0, m, m); E <- matrix(0, m, m)
      for (i in which(keep())) {
        a <- r[i] / s$P[i] - (n[i] - r[i]) / s$Q[i]
        b <- -r[i] / s$P[i]^2 - (n[i] - r[i]) / s$Q[i]^2
        dP <- rep(0, m); d2P <- matrix(0, m, m); c <- cidx[block[i]]
        if (!control[i]) {
          dP[1:p] <- (1 - s$C[i]) * f(s$eta[i]) * X[i, ]
          d2P[1:p, 1:p] <- (1 - s$C[i]) * fp(s$eta[i]) * outer(X[i, ], X[i, ])
          if (c > 0) { dP[c] <- F(-s$eta[i]); d2P[1:p, c] <- d2P[c, 1:p] <- -f(s$eta[i]) * X[i, ] }
        } else if (c > 0) dP[c] <- 1
        g <- g + a * dP
        H <- H + b * outer(dP, dP) + a * d2P
        E <- E + n[i] / (s$P[i] * s$Q[i]) * outer(dP, dP)
      }
      list(g = g, H = H, E = E)
    }
    th <- theta
    for (it in 1:300) {
      d <- derivs(th)
      pd <- all(eigen(-d$H, symmetric = TRUE, only.values = TRUE)$values > 0)
      step <- if (pd) -solve(d$H, d$g) else solve(d$E, d$g)
      if (max(abs(step) / pmax(abs(th), 1)) < 1e-10) { th <- th + step; break }
      s <- 1; l0 <- loglik(th) - 1e-12 * (1 + abs(loglik(th)))
      while (loglik(th + s * step) < l0 && s > 1e-12) s <- s / 2
      th <- th + s * step
    }
    if (it >= 300) stop("no convergence")
    list(theta = th, derivs = derivs, state = state, unpack = unpack)
  }
  # Start: least squares on empirical link values, C from the controls.
  start_rates <- rates
  for (b in seq_len(B)) if (active[b]) {
    cn <- control & block == b
    start_rates[b] <- if (any(cn)) min(max((sum(r[cn]) + 0.5) / (sum(n[cn]) + 1), 1e-3), 0.9) else 0.01
  }
  emp <- (r + 0.5) / (n + 1); emp <- pmin(pmax((emp - start_rates[block]) / (1 - start_rates[block]), 0.01), 0.99)
  z <- if (link == "probit") qnorm(emp) else qlogis(emp)
  beta0 <- unname(coef(lm(z[!control] ~ X[!control, , drop = FALSE] - 1)))
  repeat {
    fit <- tryCatch(run(c(beta0, start_rates[active])), error = function(e) NULL)
    C <- if (is.null(fit)) NULL else fit$unpack(fit$theta)$C
    low <- which(active & (if (is.null(C)) TRUE else C < 1e-9))
    if (length(low) == 0) break
    # The likelihood is largest at C = 0 for this block: refit without it.
    active[low[1]] <- FALSE; rates[low[1]] <- 0
  }
  u <- fit$unpack(fit$theta); s <- fit$state(fit$theta); k <- keep()
  V <- solve(-fit$derivs(fit$theta)$H)
  dev <- max(0, 2 * sum((ifelse(r > 0, r * log(r / (n * s$P)), 0) +
                         ifelse(n > r, (n - r) * log((n - r) / (n * s$Q)), 0))[k]))
  x2 <- sum(((r - n * s$P)^2 / (n * s$P * s$Q))[k])
  df <- sum(k) - length(fit$theta)
  pval <- if (df > 0) pchisq(x2, df, lower.tail = FALSE) else NA
  het <- !is.na(pval) && pval < 0.15
  h <- if (het) x2 / df else 1
  state_of <- ifelse(mode == "none", "none", ifelse(mode == "fixed", "fixed", ifelse(active, "estimated", "zero")))
  cidx <- rep(NA, B); cidx[active] <- p + seq_len(sum(active))
  list(beta = u$beta, C = u$C, C_state = state_of, C_index = cidx, V = V * h, V_plain = V,
       deviance = dev, pearson = x2, df = df, p = pval, het = het, h = h,
       mult = if (het) qt(0.975, df) else qnorm(0.975), fitted = s$P, keep = k)
}

# The groups of preparations `preps` of a set as a design: intercepts, then
# slopes (one per preparation, or one shared, or one line for all); tie =
# c(anchor, tied, m) constrains alpha_tied = alpha_anchor + m beta.
design <- function(d, preps, shape, mode, tie = NULL) {
  k <- length(preps)
  own <- sapply(preps, function(p) any(d$prep == p & d$dose == 0))
  blocks <- ifelse(own, preps, "对照")
  labels <- unique(blocks)
  rows <- d[d$prep %in% preps | (d$prep == "对照" & "对照" %in% labels), ]
  if (mode != "estimate") rows <- rows[rows$dose > 0, ]
  control <- rows$dose == 0
  jj <- match(rows$prep, preps)
  x <- ifelse(control, 0, log10(pmax(rows$dose, 1e-300)))
  intercept_of <- seq_len(k)
  if (!is.null(tie)) {
    keep_cols <- setdiff(seq_len(k), tie[2]); intercept_of <- match(seq_len(k), keep_cols)
    intercept_of[tie[2]] <- intercept_of[tie[1]]
    x <- x + ifelse(!control & jj == tie[2], tie[3], 0)
  }
  ni <- if (shape == "one") 1 else max(intercept_of)
  X <- matrix(0, nrow(rows), ni + (if (shape == "separate") k else 1))
  for (i in seq_len(nrow(rows))) if (!control[i]) {
    X[i, if (shape == "one") 1 else intercept_of[jj[i]]] <- 1
    X[i, ni + (if (shape == "separate") jj[i] else 1)] <- x[i]
  }
  block_label <- ifelse(control, "对照", blocks[jj])
  block_label[control & rows$prep != "对照"] <- rows$prep[control & rows$prep != "对照"]
  block <- match(block_label, labels)
  rates <- sapply(labels, function(l) {
    cn <- rows$dose == 0 & (if (l == "对照") rows$prep == "对照" else rows$prep == l)
    src <- if (mode == "estimate") rows[cn, ] else d[d$dose == 0 & d$prep == l, ]
    if (nrow(src) == 0) 0 else sum(src$positives) / sum(src$n)
  })
  list(X = X, n = rows$n, r = rows$positives, control = control, block = block, labels = labels,
       rates = if (mode == "fixed") unname(rates) else rep(0, length(labels)))
}

fit_design <- function(d, preps, shape, link, mode, tie = NULL) {
  m <- design(d, preps, shape, mode, tie)
  fit <- newton(m$X, m$n, m$r, m$control, m$block, link, mode, m$rates)
  fit$labels <- m$labels
  if (mode == "none") {
    g <- glm(cbind(m$r, m$n - m$r) ~ m$X - 1, family = binomial(link = link),
             control = glm.control(epsilon = 1e-12, maxit = 100))
    stopifnot(max(abs(coef(g) - fit$beta) / pmax(abs(fit$beta), 1)) < 1e-6, abs(g$deviance - fit$deviance) < 1e-6)
  }
  fit
}

fieller <- function(a, b, vaa, vbb, vab, t) {
  m <- a / b; g <- t^2 * vbb / b^2
  if (g >= 1) return(c(m, NA, NA, g))
  under <- vaa - 2 * m * vab + m^2 * vbb - g * (vaa - vab^2 / vbb)
  c(m, (m - g * vab / vbb + c(-1, 1) * (t / abs(b)) * sqrt(under)) / (1 - g), g)
}

rows <- list()
put <- function(case, quantity, value)
  rows[[length(rows) + 1]] <<- data.frame(case = case, quantity = quantity,
                                          value = ifelse(is.na(value), "NA", sprintf("%.17g", value)))

compute_case <- function(set, link, mode, extra = c(), reference = NULL) {
  case <- paste(set, link, mode, sep = "/")
  d <- data[data$set == set, ]
  preps <- unique(d$prep[d$prep != "对照"])
  if (!is.null(reference)) preps <- c(reference, setdiff(preps, reference))
  k <- length(preps)
  q <- function(level) if (link == "probit") qnorm(level / 100) else qlogis(level / 100)
  levels <- unique(c(10, 50, 90, extra)); ratio_levels <- unique(c(50, extra))
  lines <- list()
  for (j in preps) {
    fit <- fit_design(d, j, "one", link, mode)
    a <- fit$beta[1]; b <- fit$beta[2]; V <- fit$V
    lines[[j]] <- fit
    put(case, paste0("line.", j, ".a"), a); put(case, paste0("line.", j, ".b"), b)
    put(case, paste0("line.", j, ".b_se"), sqrt(V[2, 2]))
    put(case, paste0("line.", j, ".pearson"), fit$pearson); put(case, paste0("line.", j, ".df"), fit$df)
    put(case, paste0("line.", j, ".p"), fit$p); put(case, paste0("line.", j, ".h"), if (fit$het) fit$h else NA)
    if (mode != "none")
      for (l in seq_along(fit$labels)) put(case, paste0("line.", j, ".c.", fit$labels[l]), fit$C[l])
    for (lev in levels) {
      f <- fieller(q(lev) - a, b, V[1, 1], V[2, 2], -V[1, 2], fit$mult)
      key <- paste0("ldk.", j, ".", lev)
      put(case, paste0(key, ".dose"), 10^f[1]); put(case, paste0(key, ".lower"), 10^f[2])
      put(case, paste0(key, ".upper"), 10^f[3]); put(case, paste0(key, ".g"), f[4])
    }
  }
  models <- list(separate = fit_design(d, preps, "separate", link, mode),
                 parallel = fit_design(d, preps, "parallel", link, mode),
                 one = fit_design(d, preps, "one", link, mode))
  for (name in names(models)) {
    put(case, paste0("model.", name, ".deviance"), models[[name]]$deviance)
    put(case, paste0("model.", name, ".pearson"), models[[name]]$pearson)
    put(case, paste0("model.", name, ".df"), models[[name]]$df)
  }
  test <- function(name, small, large, df) {
    g2 <- max(0, small$deviance - large$deviance)
    put(case, paste0("test.", name, ".g2"), g2); put(case, paste0("test.", name, ".df"), df)
    put(case, paste0("test.", name, ".p"), pchisq(g2, df, lower.tail = FALSE))
    Fv <- if (large$het) (g2 / df) / large$h else NA
    put(case, paste0("test.", name, ".f"), Fv)
    put(case, paste0("test.", name, ".f_p"), if (large$het) pf(Fv, df, large$df, lower.tail = FALSE) else NA)
  }
  test("parallelism", models$parallel, models$separate, k - 1)
  test("equality", models$one, models$parallel, k - 1)
  test("coincidence", models$one, models$separate, 2 * (k - 1))
  pd <- models$parallel$pearson - models$separate$pearson
  put(case, "pearson_difference.stat", pd)
  put(case, "pearson_difference.p", pchisq(pd, k - 1, lower.tail = FALSE))

  par <- models$parallel; V <- par$V; s <- k + 1; beta <- par$beta[s]
  put(case, "parallel.slope", beta); put(case, "parallel.slope_se", sqrt(V[s, s]))
  put(case, "parallel.h", if (par$het) par$h else NA); put(case, "parallel.multiplier", par$mult)
  if (mode != "none") for (l in seq_along(par$labels)) {
    put(case, paste0("parallel.c.", par$labels[l]), par$C[l])
    ci <- par$C_index[l]
    put(case, paste0("parallel.c_se.", par$labels[l]), if (is.na(ci)) NA else sqrt(V[ci, ci]))
  }
  for (j in seq_len(k)) {
    f <- fieller(-par$beta[j], beta, V[j, j], V[s, s], -V[j, s], par$mult)
    put(case, paste0("ld50.", preps[j], ".dose"), 10^f[1])
    put(case, paste0("ld50.", preps[j], ".lower"), 10^f[2]); put(case, paste0("ld50.", preps[j], ".upper"), 10^f[3])
  }
  pairs <- list()
  for (j in 2:k) pairs[[length(pairs) + 1]] <- c(1, j)
  if (k > 2) for (i in 2:(k - 1)) for (j in (i + 1):k) pairs[[length(pairs) + 1]] <- c(i, j)
  for (pr in pairs) {
    i <- pr[1]; j <- pr[2]; key <- paste0("rmp.", preps[i], "/", preps[j])
    v11 <- V[i, i] + V[j, j] - 2 * V[i, j]; v22 <- V[s, s]; v12 <- V[j, s] - V[i, s]
    f <- fieller(par$beta[j] - par$beta[i], beta, v11, v22, v12, par$mult)
    m <- f[1]
    put(case, paste0(key, ".ratio"), 10^m); put(case, paste0(key, ".lower"), 10^f[2])
    put(case, paste0(key, ".upper"), 10^f[3]); put(case, paste0(key, ".g"), f[4])
    se <- sqrt(v11 - 2 * m * v12 + m^2 * v22) / abs(beta)
    put(case, paste0(key, ".delta_lower"), 10^(m - par$mult * se))
    put(case, paste0(key, ".delta_upper"), 10^(m + par$mult * se))
    crit <- par$mult^2 * par$h
    profile <- function(mm) fit_design(d, preps, "parallel", link, mode, tie = c(i, j, mm))$deviance -
      par$deviance - crit
    width <- 4 * par$mult * se
    lower <- uniroot(profile, c(m - width, m), tol = 1e-12)$root
    upper <- uniroot(profile, c(m, m + width), tol = 1e-12)$root
    put(case, paste0(key, ".profile_lower"), 10^lower); put(case, paste0(key, ".profile_upper"), 10^upper)
  }
  for (lev in ratio_levels) {
    p_values <- c()
    keys <- c()
    for (pr in pairs) {
      i <- preps[pr[1]]; j <- preps[pr[2]]; key <- paste0("ratio.", lev, ".", i, "/", j)
      at <- function(fit, scaled) {
        a <- fit$beta[1]; b <- fit$beta[2]; V <- if (scaled) fit$V else fit$V_plain
        x <- (q(lev) - a) / b
        c(x, (V[1, 1] + 2 * x * V[1, 2] + x^2 * V[2, 2]) / b^2)
      }
      A <- at(lines[[i]], TRUE); Bv <- at(lines[[j]], TRUE)
      lr <- A[1] - Bv[1]; se <- sqrt(A[2] + Bv[2])
      se0 <- sqrt(at(lines[[i]], FALSE)[2] + at(lines[[j]], FALSE)[2])
      z <- lr / se; pz <- 2 * pnorm(-abs(z))
      put(case, paste0(key, ".ratio"), 10^lr)
      put(case, paste0(key, ".lower"), 10^(lr - qnorm(0.975) * se)); put(case, paste0(key, ".upper"), 10^(lr + qnorm(0.975) * se))
      put(case, paste0(key, ".lower_unscaled"), 10^(lr - qnorm(0.975) * se0))
      put(case, paste0(key, ".upper_unscaled"), 10^(lr + qnorm(0.975) * se0))
      put(case, paste0(key, ".z"), z); put(case, paste0(key, ".p"), pz)
      p_values <- c(p_values, pz); keys <- c(keys, key)
    }
    holm <- p.adjust(p_values, "holm")
    for (t in seq_along(keys)) put(case, paste0(keys[t], ".holm"), holm[t])
  }
  invisible(list(models = models, preps = preps))
}

data <- read.csv("datasets.csv", stringsAsFactors = FALSE)
names(data)[names(data) == "preparation"] <- "prep"

compute_case("finney", "probit", "none", extra = c(95))
compute_case("finney", "logit", "none", extra = c(95))
compute_case("finney_pair", "probit", "none")
bud <- compute_case("budworm", "logit", "none", reference = "female")
# The budworm figures as MASS gives them: the female LD50 on the log2 scale
# from the parallel lines (sex + ldose - 1) with its delta-method SE.
b <- data[data$set == "budworm", ]
ldose <- log2(b$dose); sex <- factor(b$prep, levels = c("female", "male"))
g0 <- glm(cbind(positives, n - positives) ~ sex + ldose - 1, family = binomial, data = b)
female <- dose.p(g0, cf = c(1, 3), p = 0.5)
put("budworm/logit/none", "mass.female_log2_ld50", female[1])
put("budworm/logit/none", "mass.female_log2_ld50_se", attr(female, "SE")[1])
stopifnot(abs(log10(2^female[1]) + bud$models$parallel$beta[1] / bud$models$parallel$beta[3]) < 1e-6)
compute_case("shared_controls", "probit", "estimate")
compute_case("shared_controls", "probit", "fixed")
compute_case("shared_controls", "logit", "estimate")
compute_case("own_controls", "probit", "estimate")
compute_case("own_controls", "probit", "fixed")
zero <- compute_case("controls_at_zero", "probit", "estimate")
stopifnot(all(zero$models$parallel$C_state == "zero"))

out <- do.call(rbind, rows)
write.csv(out, "reference.csv", row.names = FALSE, quote = FALSE)
