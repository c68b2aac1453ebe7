# Reference figures of the several-groups comparison for each input set of
# this folder (the grid as CSV: a heading and the values of each group), from
# base R (aov, TukeyHSD, oneway.test, kruskal.test, bartlett.test,
# shapiro.test, pairwise.t.test, p.adjust), car (leveneTest) and, where R has
# no function, the published formula written out here:
#   studentized range P and points: adaptive quadrature of its integral
#     (ptukey/qtukey are accurate to about 1e-8 and 1e-4 only);
#   Dunnett: adaptive quadrature of the product-correlation integral
#     (multcomp's quasi-Monte Carlo is accurate to about 1e-4; its P values
#     are printed to standard error as a check, not used);
#   Brown-Forsythe F*, Games-Howell, Tamhane T2, Welch t with Sidak, SNK with
#   its step-down protection, Dunn's z with Holm, Grubbs, eta^2 limits from
#   the noncentral F, omega^2.
# Run from this folder:  Rscript reference.R > reference.csv
# Columns: set, figure, first, second (group names; empty where the figure is
# not of a group or pair), value (17 significant digits; NA where the figure
# cannot be computed).
suppressMessages({ library(car); library(multcomp) })

# --- the studentized range, as in tests/numeric/data/studentized_range.R
range_upper <- function(w, k) {
  if (w <= 0) return(1)
  f <- function(z) { a <- pnorm(z); b <- pnorm(z - w); cc <- a - b
    s <- 0; for (j in 0:(k - 2)) s <- s + a^(k - 2 - j) * cc^j; dnorm(z) * b * s }
  k * integrate(f, -Inf, Inf, rel.tol = 1e-13, abs.tol = 0, subdivisions = 2000L)$value
}
q_upper <- function(q, k, df) {
  f <- function(s) sapply(s, function(si) 2 * df * si * dchisq(df * si^2, df) * range_upper(q * si, k))
  mode <- sqrt(max(df - 1, 0.01) / df)
  integrate(f, 0, mode, rel.tol = 1e-12, abs.tol = 0, subdivisions = 2000L)$value +
    integrate(f, mode, Inf, rel.tol = 1e-12, abs.tol = 0, subdivisions = 2000L)$value
}
q_point <- function(k, df) uniroot(function(q) log(q_upper(q, k, df)) - log(0.05), c(1, 20), tol = 1e-13)$root

# --- Dunnett, as in tests/numeric/data/dunnett.R
dunnett_inner <- function(cs, l) {
  r <- sqrt(1 - l^2)
  f <- function(z) sapply(z, function(zz) {
    q <- pnorm((cs - l * zz) / r, lower.tail = FALSE) + pnorm((-cs - l * zz) / r)
    dnorm(zz) * -expm1(sum(log1p(-pmin(q, 1)))) })
  integrate(f, -Inf, 0, rel.tol = 1e-12, abs.tol = 0, subdivisions = 5000L)$value +
    integrate(f, 0, Inf, rel.tol = 1e-12, abs.tol = 0, subdivisions = 5000L)$value
}
dunnett_upper <- function(c, l, df) {
  f <- function(s) sapply(s, function(si) 2 * df * si * dchisq(df * si^2, df) * dunnett_inner(c * si, l))
  mode <- sqrt(max(df - 1, 0.01) / df)
  integrate(f, 0, mode, rel.tol = 1e-11, abs.tol = 0, subdivisions = 2000L)$value +
    integrate(f, mode, Inf, rel.tol = 1e-11, abs.tol = 0, subdivisions = 2000L)$value
}

out <- function(set, figure, value, first = "", second = "")
  cat(sprintf("%s,%s,%s,%s,%s\n", set, figure, first, second,
              if (is.na(value)) "NA" else sprintf("%.17g", value)))

sidak <- function(p, m) -expm1(m * log1p(-p))
# The noncentral F below f as its Poisson mixture of beta distributions,
# summed term by term (R's pf(ncp =) stops at an error of about 1e-10).
pnf_sum <- function(f, d1, d2, l) {
  x <- d1 * f / (d1 * f + d2)
  js <- 0:ceiling(l / 2 + 60 * sqrt(l / 2 + 1) + 200)
  sum(dpois(js, l / 2) * pbeta(x, d1 / 2 + js, d2 / 2))
}
ncp_limit <- function(f, d1, d2, target) {
  g <- function(l) pnf_sum(f, d1, d2, l) - target
  if (g(0) <= 0) return(0)
  hi <- max(1, f * d1); while (g(hi) > 0) hi <- hi * 2
  uniroot(g, c(0, hi), tol = 1e-14)$root
}

analyse <- function(set, reference) {
  raw <- read.csv(paste0(set, ".csv"), check.names = FALSE, encoding = "UTF-8")
  groups <- lapply(raw, function(x) x[!is.na(x)])
  names <- names(groups); k <- length(groups); n <- sapply(groups, length); N <- sum(n)
  y <- unlist(groups, use.names = FALSE); g <- factor(rep(names, n), levels = names)
  means <- sapply(groups, mean); sds <- sapply(groups, sd)

  for (i in seq_len(k)) {
    x <- groups[[i]]; nm <- names[i]
    out(set, "n", n[i], nm); out(set, "mean", means[i], nm); out(set, "sd", sds[i], nm)
    out(set, "se", sds[i] / sqrt(n[i]), nm)
    h <- qt(0.975, n[i] - 1) * sds[i] / sqrt(n[i])
    out(set, "ci_lower", means[i] - h, nm); out(set, "ci_upper", means[i] + h, nm)
    out(set, "median", median(x), nm); out(set, "min", min(x), nm); out(set, "max", max(x), nm)
    if (n[i] >= 3 && sds[i] > 0) {
      sw <- shapiro.test(x); out(set, "sw_w", sw$statistic, nm); out(set, "sw_p", sw$p.value, nm)
      G <- max(abs(x - means[i])) / sds[i]; tG <- sqrt(n[i] * (n[i] - 2) * G^2 / ((n[i] - 1)^2 - n[i] * G^2))
      out(set, "grubbs_g", G, nm); out(set, "grubbs_p", min(1, 2 * n[i] * pt(tG, n[i] - 2, lower.tail = FALSE)), nm)
    }
  }
  res <- y - ave(y, g)
  sw <- shapiro.test(res); out(set, "residual_sw_w", sw$statistic); out(set, "residual_sw_p", sw$p.value)

  lm <- leveneTest(y, g, center = median); out(set, "levene_median_f", lm$`F value`[1]); out(set, "levene_median_p", lm$`Pr(>F)`[1])
  lv <- leveneTest(y, g, center = mean); out(set, "levene_mean_f", lv$`F value`[1]); out(set, "levene_mean_p", lv$`Pr(>F)`[1])
  b <- bartlett.test(y, g); out(set, "bartlett_chisq", b$statistic); out(set, "bartlett_p", b$p.value)

  fit <- aov(y ~ g); tab <- summary(fit)[[1]]
  Fobs <- tab$`F value`[1]; mse <- tab$`Mean Sq`[2]; dfw <- tab$Df[2]
  out(set, "anova_f", Fobs); out(set, "anova_p", tab$`Pr(>F)`[1]); out(set, "ms_within", mse)
  out(set, "ss_between", tab$`Sum Sq`[1]); out(set, "ss_within", tab$`Sum Sq`[2])
  eta <- tab$`Sum Sq`[1] / sum(tab$`Sum Sq`); out(set, "eta2", eta)
  for (lv in c(95, 90)) {
    a <- (1 - lv / 100)
    lo <- ncp_limit(Fobs, k - 1, dfw, 1 - a / 2); hi <- ncp_limit(Fobs, k - 1, dfw, a / 2)
    out(set, paste0("eta2_lower", lv), lo / (lo + N)); out(set, paste0("eta2_upper", lv), hi / (hi + N))
  }
  out(set, "omega2", (tab$`Sum Sq`[1] - (k - 1) * mse) / (sum(tab$`Sum Sq`) + mse))
  w <- oneway.test(y ~ g, var.equal = FALSE)
  out(set, "welch_f", w$statistic); out(set, "welch_df2", w$parameter[2]); out(set, "welch_p", w$p.value)
  den <- sum((1 - n / N) * sds^2); cc <- (1 - n / N) * sds^2 / den
  bf <- sum(n * (means - mean(y))^2) / den; bfdf <- 1 / sum(cc^2 / (n - 1))
  out(set, "bf_f", bf); out(set, "bf_df2", bfdf); out(set, "bf_p", pf(bf, k - 1, bfdf, lower.tail = FALSE))
  kw <- kruskal.test(y, g); rk <- rank(y); ties <- table(y)
  tie <- 1 - sum(ties^3 - ties) / (N^3 - N)
  out(set, "kw_hc", kw$statistic); out(set, "kw_tie", tie); out(set, "kw_h", kw$statistic * tie); out(set, "kw_p", kw$p.value)

  # all pairs, i < j, difference = group j - group i
  pairs <- combn(k, 2); m <- ncol(pairs)
  qcrit <- q_point(k, dfw)
  lsd <- pairwise.t.test(y, g, p.adjust.method = "none", pool.sd = TRUE)$p.value
  bon <- pairwise.t.test(y, g, p.adjust.method = "bonferroni", pool.sd = TRUE)$p.value
  mr <- tapply(rk, g, mean); S2 <- N * (N + 1) / 12 - sum(ties^3 - ties) / (12 * (N - 1))
  dz <- apply(pairs, 2, function(p) (mr[p[2]] - mr[p[1]]) / sqrt(S2 * (1 / n[p[1]] + 1 / n[p[2]])))
  dunn <- p.adjust(2 * pnorm(-abs(dz)), "holm")
  tk <- TukeyHSD(fit)$g
  for (c in seq_len(m)) {
    i <- pairs[1, c]; j <- pairs[2, c]; a <- names[i]; bb <- names[j]
    d <- means[j] - means[i]; se <- sqrt(mse / 2 * (1 / n[i] + 1 / n[j])); q <- abs(d) / se
    out(set, "diff", d, a, bb)
    out(set, "tukey_q", q, a, bb); out(set, "tukey_p", q_upper(q, k, dfw), a, bb)
    out(set, "tukey_lower", d - qcrit * se, a, bb); out(set, "tukey_upper", d + qcrit * se, a, bb)
    stopifnot(abs(tk[paste0(bb, "-", a), "p adj"] - q_upper(q, k, dfw)) < 1e-6)
    out(set, "lsd_p", lsd[bb, a], a, bb); out(set, "bonferroni_p", bon[bb, a], a, bb)
    vi <- sds[i]^2 / n[i]; vj <- sds[j]^2 / n[j]
    if (sds[i] > 0 && sds[j] > 0) {
      dfij <- (vi + vj)^2 / (vi^2 / (n[i] - 1) + vj^2 / (n[j] - 1))
      out(set, "games_howell_p", q_upper(abs(d) / sqrt((vi + vj) / 2), k, dfij), a, bb)
      tt <- t.test(groups[[j]], groups[[i]], var.equal = FALSE)
      out(set, "tamhane_p", sidak(tt$p.value, m), a, bb)
    } else {
      out(set, "games_howell_p", NA, a, bb); out(set, "tamhane_p", NA, a, bb)
    }
    out(set, "dunn_z", dz[c], a, bb); out(set, "dunn_holm_p", dunn[c], a, bb)
  }

  # SNK: ascending means, widest ranges first, protected
  ord <- order(means); sig <- matrix(FALSE, k, k)
  for (span in k:2) for (a in 1:(k - span + 1)) {
    b2 <- a + span - 1; lo <- ord[a]; hi <- ord[b2]
    q <- (means[hi] - means[lo]) / sqrt(mse / 2 * (1 / n[lo] + 1 / n[hi]))
    crit <- q_point(span, dfw)
    enclosed <- span == k || ((a == 1 || sig[a - 1, b2]) && (b2 == k || sig[a, b2 + 1]))
    sig[a, b2] <- q >= crit && enclosed
    first <- names[min(lo, hi)]; second <- names[max(lo, hi)]
    out(set, "snk_q", q, first, second); out(set, "snk_critical", crit, first, second)
    out(set, "snk_significant", as.numeric(sig[a, b2]), first, second)
  }

  # against the reference
  ref <- which(names == reference); trt <- setdiff(seq_len(k), ref)
  lambdas <- sqrt(n[trt] / (n[trt] + n[ref]))
  crit <- uniroot(function(c) log(dunnett_upper(c, lambdas, dfw)) - log(0.05), c(1, 8), tol = 1e-12)$root
  out(set, "dunnett_critical", crit)
  glht_p <- summary(glht(fit, linfct = mcp(g = contrMat(n, type = "Dunnett", base = ref))))$test$pvalues
  mr_ref <- mr[ref]
  dunn_ref <- p.adjust(sapply(trt, function(t) 2 * pnorm(-abs((mr[t] - mr_ref) / sqrt(S2 * (1 / n[t] + 1 / n[ref]))))), "holm")
  for (t in seq_along(trt)) {
    j <- trt[t]; d <- means[j] - means[ref]; se <- sqrt(mse * (1 / n[j] + 1 / n[ref]))
    p <- dunnett_upper(abs(d) / se, lambdas, dfw)
    out(set, "dunnett_p", p, reference, names[j])
    out(set, "dunnett_lower", d - crit * se, reference, names[j]); out(set, "dunnett_upper", d + crit * se, reference, names[j])
    message(sprintf("%s %s: Dunnett integral %.6f, multcomp %.6f", set, names[j], p, glht_p[t]))
    if (sds[j] > 0 && sds[ref] > 0) {
      tt <- t.test(groups[[j]], groups[[ref]], var.equal = FALSE)
      sp <- sidak(tt$p.value, length(trt)); lev <- -expm1(log1p(-0.05) / length(trt))
      h <- qt(1 - lev / 2, tt$parameter) * tt$stderr
      out(set, "welch_sidak_p", sp, reference, names[j])
      out(set, "welch_sidak_lower", d - h, reference, names[j]); out(set, "welch_sidak_upper", d + h, reference, names[j])
    }
    out(set, "dunn_reference_p", dunn_ref[t], reference, names[j])
  }
}

cat("set,figure,first,second,value\n")
analyse("plantgrowth", "ctrl")
analyse("unbalanced_ties", "模型组")
analyse("unequal_variances", "对照组")
analyse("skewed", "模型组")

# Two groups: every method is the two-sample test (PlantGrowth ctrl, trt1).
two <- subset(PlantGrowth, group %in% c("ctrl", "trt1")); two$group <- droplevels(two$group)
tt <- t.test(weight ~ group, two, var.equal = TRUE); tw <- t.test(weight ~ group, two, var.equal = FALSE)
x <- two$weight[two$group == "ctrl"]; z <- two$weight[two$group == "trt1"]
out("two_groups", "t_squared", tt$statistic^2); out("two_groups", "t_p", tt$p.value)
out("two_groups", "welch_t_squared", tw$statistic^2); out("two_groups", "welch_df", tw$parameter); out("two_groups", "welch_p", tw$p.value)
w <- wilcox.test(x, z, correct = FALSE, exact = FALSE); out("two_groups", "rank_sum_p", w$p.value)
