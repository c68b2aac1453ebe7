#pragma once
// The computed figures of the potency comparison under the names that
// data/potency_reference.R gives them, and the cases the script computes.
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analyses/potency/potency_results.h"

namespace tavelmark::potency {

using Figures = std::map<std::string, std::optional<double>>;

struct Case {
    const char* set;
    numeric::QuantalLink link;
    NaturalResponseOption natural;
    std::vector<double> extraLDk;
    const char* reference;
};

inline std::string Name(const Case& c) {
    const char* link = c.link == numeric::QuantalLink::Probit ? "probit" : "logit";
    const char* natural = c.natural == NaturalResponseOption::None     ? "none"
                          : c.natural == NaturalResponseOption::Abbott ? "fixed"
                                                                       : "estimate";
    return std::string(c.set) + "/" + link + "/" + natural;
}

inline const Case kCases[] = {
    {"finney", numeric::QuantalLink::Probit, NaturalResponseOption::None, {95}, ""},
    {"finney", numeric::QuantalLink::Logit, NaturalResponseOption::None, {95}, ""},
    {"finney_pair", numeric::QuantalLink::Probit, NaturalResponseOption::None, {}, ""},
    {"budworm", numeric::QuantalLink::Logit, NaturalResponseOption::None, {}, "female"},
    {"shared_controls", numeric::QuantalLink::Probit, NaturalResponseOption::Estimate, {}, ""},
    {"shared_controls", numeric::QuantalLink::Probit, NaturalResponseOption::Abbott, {}, ""},
    {"shared_controls", numeric::QuantalLink::Logit, NaturalResponseOption::Estimate, {}, ""},
    {"own_controls", numeric::QuantalLink::Probit, NaturalResponseOption::Estimate, {}, ""},
    {"own_controls", numeric::QuantalLink::Probit, NaturalResponseOption::Abbott, {}, ""},
    {"controls_at_zero", numeric::QuantalLink::Probit, NaturalResponseOption::Estimate, {}, ""},
};

inline PotencyOptions OptionsOf(const Case& c) {
    PotencyOptions options;
    options.link = c.link;
    options.natural = c.natural;
    options.extraLDk = c.extraLDk;
    return options;
}

inline std::string Percent(double k) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", k);
    return buffer;
}

inline void PutInterval(Figures& f, const std::string& key, const Interval& i, const char* estimateName) {
    f[key + "." + estimateName] = i.estimate;
    f[key + ".lower"] = i.lower;
    f[key + ".upper"] = i.upper;
}

// The computed figures under the names the R script gives them.
inline Figures FiguresOf(const PotencyResults& r) {
    Figures f;
    const auto& preps = r.data.preparations;
    for (std::size_t j = 0; j < preps.size(); ++j) {
        const std::string line = "line." + preps[j].name;
        const PreparationLine& l = r.lines[j];
        if (!l.fitted()) continue;
        f[line + ".a"] = l.a;
        f[line + ".b"] = l.b;
        f[line + ".b_se"] = l.bSE;
        f[line + ".pearson"] = l.quality.pearson;
        f[line + ".df"] = l.quality.df;
        f[line + ".p"] = l.quality.p;
        f[line + ".h"] = l.quality.heterogeneity ? std::optional<double>(l.quality.heterogeneity->h) : std::nullopt;
        for (const NaturalRate& c : l.natural) f[line + ".c." + c.label] = c.rate;
        for (const LDkDose& d : l.ldk) {
            const std::string key = "ldk." + preps[j].name + "." + Percent(d.percent);
            PutInterval(f, key, d.dose, "dose");
            f[key + ".g"] = d.dose.g;
        }
    }
    const std::pair<const char*, const FittedLines*> models[] = {
        {"separate", &r.separate}, {"parallel", &r.parallel}, {"one", &r.one}};
    for (const auto& [name, m] : models) {
        if (!m->fit) continue;
        f[std::string("model.") + name + ".deviance"] = m->quality.deviance;
        f[std::string("model.") + name + ".pearson"] = m->quality.pearson;
        f[std::string("model.") + name + ".df"] = m->quality.df;
    }
    const std::pair<const char*, const ModelTest*> tests[] = {
        {"parallelism", &r.parallelism}, {"equality", &r.equality}, {"coincidence", &r.coincidence}};
    for (const auto& [name, t] : tests) {
        const std::string key = std::string("test.") + name;
        f[key + ".g2"] = t->g2;
        f[key + ".df"] = t->df;
        f[key + ".p"] = t->p;
        f[key + ".f"] = t->f ? std::optional<double>(t->f->F) : std::nullopt;
        f[key + ".f_p"] = t->f ? t->f->p : std::nullopt;
    }
    if (r.parallel.fit) {
        f["parallel.slope"] = r.slope;
        f["parallel.slope_se"] = r.slopeSE;
        const auto& h = r.parallel.quality.heterogeneity;
        f["parallel.h"] = h ? std::optional<double>(h->h) : std::nullopt;
        f["parallel.multiplier"] = r.parallel.quality.multiplier;
        for (const NaturalRate& c : r.parallel.natural) {
            f["parallel.c." + c.label] = c.rate;
            f["parallel.c_se." + c.label] = c.se;
        }
    }
    for (std::size_t j = 0; j < preps.size(); ++j) PutInterval(f, "ld50." + preps[j].name, r.parallelLD50[j], "dose");
    for (const PotencyRatio& p : r.potency) {
        const std::string key = "rmp." + preps[p.first].name + "/" + preps[p.second].name;
        PutInterval(f, key, p.ratio, "ratio");
        f[key + ".g"] = p.ratio.g;
    }
    for (const RatioTest& t : r.ratioTests) {
        const std::string key =
            "ratio." + Percent(t.percent) + "." + preps[t.first].name + "/" + preps[t.second].name;
        PutInterval(f, key, t.ratio, "ratio");
        f[key + ".z"] = t.z;
        f[key + ".p"] = t.p;
        f[key + ".holm"] = t.holm;
    }
    return f;
}

}  // namespace tavelmark::potency
