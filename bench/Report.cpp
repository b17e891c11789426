#include "Report.h"

#include "Workloads.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>

namespace bench {
namespace {

constexpr double kPeerFactor = 10.0;     // ours at least this much faster than HyperFormula
constexpr double kEditLimitUs = 100.0;   // one edit of a chain head, recalculation included
constexpr double kFloorFactor = 5.0;     // workload Independent against the bandwidth floor
constexpr double kBytesPerFormula = 200; // peak memory per formula cell
constexpr double kChecksumTolerance = 1e-9;

constexpr std::array<std::string_view, 3> kEngines{"ours", "hyperformula", "ixion"};

using Maybe = std::optional<double>;

class Results {
public:
    explicit Results(const std::vector<JsonRecord>& records) : records_(records) {}

    // The record of that engine and workload, or null.
    const JsonRecord* find(std::string_view engine, std::string_view workload) const {
        for (const JsonRecord& r : records_)
            if (r.text("engine") == engine && r.text("workload") == workload) return &r;
        return nullptr;
    }
    // A measured field, empty when the run is missing or skipped.
    Maybe field(std::string_view engine, std::string_view workload, const std::string& key) const {
        const JsonRecord* r = find(engine, workload);
        if (!r || r->has("skipped")) return std::nullopt;
        return r->number(key);
    }

private:
    const std::vector<JsonRecord>& records_;
};

std::string fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// At least three significant digits: 0 to 3 decimals by magnitude.
std::string shortNumber(Maybe value) {
    if (!value) return "—";
    const double magnitude = std::fabs(*value);
    const int decimals = magnitude >= 100 ? 0 : magnitude >= 10 ? 1 : magnitude >= 1 ? 2 : 3;
    return fixed(*value, decimals);
}

Maybe sum(Maybe a, Maybe b) {
    return a && b ? Maybe(*a + *b) : std::nullopt;
}
Maybe quotient(Maybe a, Maybe b) {
    return a && b && *b > 0 ? Maybe(*a / *b) : std::nullopt;
}
std::string ratioText(Maybe ratio) {
    return ratio ? shortNumber(ratio) + "×" : "—";
}

Maybe scaled(Maybe value, double factor) {
    return value ? Maybe(*value * factor) : std::nullopt;
}

Maybe bytesPerFormula(const Results& results, std::string_view engine, std::string_view load) {
    return quotient(scaled(results.field(engine, load, "peak_kb"), 1024.0),
                    results.field(engine, load, "formulas"));
}

std::string engineLabel(const JsonRecord& r) {
    const std::string engine = r.text("engine");
    const std::string shown = engine == "hyperformula" ? "HyperFormula" : engine;
    const std::string version = r.text("version");
    return version.empty() ? shown : shown + " " + version;
}

// "same" when the run computed what ours computed; otherwise what differs.
std::string checkText(const Results& results, const JsonRecord& r, std::string_view load) {
    std::string notes;
    if (r.number("refused").value_or(0) > 0)
        notes += " refused " + shortNumber(r.number("refused"));
    if (r.number("wrong_edits").value_or(0) > 0)
        notes += " wrong edits " + shortNumber(r.number("wrong_edits"));
    if (r.number("non_numbers").value_or(0) > 0)
        notes += " non-numbers " + shortNumber(r.number("non_numbers"));
    if (r.text("engine") == "ours") return "reference" + notes;
    const Maybe ours = results.field("ours", load, "checksum");
    const Maybe mine = r.number("checksum");
    if (!ours || !mine) return "no reference" + notes;
    const bool same =
        std::fabs(*ours - *mine) <= kChecksumTolerance * std::max(1.0, std::fabs(*ours)) &&
        results.field("ours", load, "non_numbers") == r.number("non_numbers");
    return (same ? "same" : "DIFFERS") + notes;
}

std::string timesRow(const Results& results, const JsonRecord& r, std::string_view load) {
    const std::string engine = r.text("engine");
    std::string row = "| " + std::string(load) + " | " + engineLabel(r) + " | ";
    if (r.has("skipped")) return row + "skipped: " + r.text("skipped") + " |||||||||\n";
    const Maybe build = r.number("build_ms");
    const Maybe first = r.number("first_calc_ms");
    row += shortNumber(r.number("formulas")) + " | " + shortNumber(build) + " | " +
           shortNumber(first) + " | " + shortNumber(sum(build, first)) + " | " +
           shortNumber(r.number("recalc_ms")) + " | " + shortNumber(r.number("edit_us")) + " | ";
    const Maybe peakMiB = scaled(r.number("peak_kb"), 1.0 / 1024.0);
    row += shortNumber(peakMiB) + " | " + shortNumber(bytesPerFormula(results, engine, load)) +
           " | " + checkText(results, r, load) + " |\n";
    return row;
}

std::string timesTable(const Results& results) {
    std::string out = "## Times and memory\n\n"
                      "| workload | engine | formulas | build ms | first calc ms | build + calc ms "
                      "| recalc ms | edit µs | peak MiB | bytes/formula | result |\n"
                      "|---|---|--:|--:|--:|--:|--:|--:|--:|--:|---|\n";
    for (WorkloadId id : allWorkloads()) {
        const std::string_view load = workloadName(id);
        for (std::string_view engine : kEngines)
            if (const JsonRecord* r = results.find(engine, load))
                out += timesRow(results, *r, load);
    }
    return out;
}

// Peer figure divided by ours; higher means ours is faster or smaller.
Maybe speedup(const Results& results, std::string_view peer, std::string_view load,
              const std::function<Maybe(std::string_view)>& measure) {
    if (!results.find(peer, load) || results.find(peer, load)->has("skipped")) return std::nullopt;
    return quotient(measure(peer), measure("ours"));
}

struct Measures {
    std::function<Maybe(std::string_view)> buildCalc, recalc, edit, memory;
};

Measures measuresOf(const Results& results, std::string_view load) {
    return {
        [&results, load](std::string_view e) {
            return sum(results.field(e, load, "build_ms"), results.field(e, load, "first_calc_ms"));
        },
        [&results, load](std::string_view e) { return results.field(e, load, "recalc_ms"); },
        [&results, load](std::string_view e) { return results.field(e, load, "edit_us"); },
        [&results, load](std::string_view e) { return results.field(e, load, "peak_kb"); },
    };
}

std::string ratioTable(const Results& results) {
    std::string out =
        "## Ours against the peers (peer figure / ours: higher is better for ours)\n\n"
        "| workload | HyperFormula build + calc | recalc | edit | peak memory "
        "| ixion build + calc | recalc | edit | peak memory |\n"
        "|---|--:|--:|--:|--:|--:|--:|--:|--:|\n";
    for (WorkloadId id : allWorkloads()) {
        const std::string_view load = workloadName(id);
        const Measures m = measuresOf(results, load);
        out += "| " + std::string(load) + " |";
        for (std::string_view peer : {"hyperformula", "ixion"}) {
            for (const auto* measure : {&m.buildCalc, &m.recalc, &m.edit, &m.memory}) {
                out += ' ';
                out += ratioText(speedup(results, peer, load, *measure));
                out += " |";
            }
        }
        out += "\n";
    }
    return out;
}

class TargetList {
public:
    // Records a target; an unmeasured one counts as missed.
    void check(const std::string& what, Maybe measured, bool met, const std::string& shown) {
        const bool pass = measured && met;
        (pass ? met_ : missed_) += 1;
        lines_ += std::string(pass ? "- pass " : "- MISS ") + what + ": " +
                  (measured ? shown : "not measured") + "\n";
    }
    std::string str() const {
        return "## Targets\n\n" + lines_ + "\n" + std::to_string(met_) + " met, " +
               std::to_string(missed_) + " missed\n";
    }

private:
    std::string lines_;
    int met_ = 0;
    int missed_ = 0;
};

void peerTargets(TargetList& targets, const Results& results, std::string_view load) {
    const Measures m = measuresOf(results, load);
    const std::string name(load);
    const Maybe hfBuild = speedup(results, "hyperformula", load, m.buildCalc);
    const Maybe hfRecalc = speedup(results, "hyperformula", load, m.recalc);
    targets.check(name + ": build + calc ≥ 10× faster than HyperFormula", hfBuild,
                  hfBuild.value_or(0) >= kPeerFactor, ratioText(hfBuild));
    targets.check(name + ": recalc ≥ 10× faster than HyperFormula", hfRecalc,
                  hfRecalc.value_or(0) >= kPeerFactor, ratioText(hfRecalc));
    if (const JsonRecord* ix = results.find("ixion", load); ix && !ix->has("skipped")) {
        const Maybe ixBuild = speedup(results, "ixion", load, m.buildCalc);
        const Maybe ixRecalc = speedup(results, "ixion", load, m.recalc);
        targets.check(name + ": build + calc faster than ixion", ixBuild, ixBuild.value_or(0) > 1.0,
                      ratioText(ixBuild));
        targets.check(name + ": recalc faster than ixion", ixRecalc, ixRecalc.value_or(0) > 1.0,
                      ratioText(ixRecalc));
    }
    const Maybe bytes = bytesPerFormula(results, "ours", load);
    targets.check(name + ": ≤ 200 bytes per formula cell", bytes,
                  bytes.value_or(kBytesPerFormula + 1) <= kBytesPerFormula,
                  shortNumber(bytes) + " bytes");
}

std::string targetList(const Results& results) {
    TargetList targets;
    for (WorkloadId id : allWorkloads())
        peerTargets(targets, results, workloadName(id));
    const Maybe edit = results.field("ours", "chains", "edit_us");
    targets.check("chains: one edit < 100 µs", edit, edit.value_or(kEditLimitUs) < kEditLimitUs,
                  shortNumber(edit) + " µs");
    const Maybe floorRatio = quotient(results.field("ours", "independent", "recalc_ms"),
                                      results.field("floor", "independent", "recalc_ms"));
    targets.check("independent: recalc within 5× of the bandwidth floor", floorRatio,
                  floorRatio.value_or(kFloorFactor + 1) <= kFloorFactor, ratioText(floorRatio));
    return targets.str();
}

std::string floorSection(const Results& results) {
    const Maybe floorMs = results.field("floor", "independent", "recalc_ms");
    const Maybe bytes = results.field("floor", "independent", "bytes");
    const Maybe ours = results.field("ours", "independent", "recalc_ms");
    const Maybe first = results.field("ours", "independent", "first_calc_ms");
    return "## Bandwidth floor (workload independent)\n\n"
           "Streaming " +
           shortNumber(scaled(bytes, 1e-6)) +
           " MB as plain arrays (3 reads + 1 write of a double per row) takes " +
           shortNumber(floorMs) + " ms. Ours: recalc " + shortNumber(ours) +
           " ms = " + ratioText(quotient(ours, floorMs)) + " the floor; first calc " +
           shortNumber(first) + " ms = " + ratioText(quotient(first, floorMs)) + ".\n";
}

constexpr std::string_view kNotes =
    "## How it was measured\n\n"
    "Each engine × workload ran in a process of its own. Build: filling every cell with "
    "automatic recalculation off (HyperFormula: buildFromArray less its own evaluation time). "
    "First calc: the first evaluation of every formula. Recalc: median of 11 evaluations of every "
    "formula, or one when the first took over 2 s (HyperFormula: its evaluator's full run, as no "
    "public call recomputes all without "
    "rebuilding; ixion: every formula cell marked dirty, sorted and calculated on one thread). "
    "Edit: median of 1,001 edits of a chain head with automatic recalculation. Peak: the "
    "highest resident set above the process's resident set once the inputs were made. Result: "
    "the sum of all formula results compared with ours.\n";

} // namespace

std::string renderReport(const std::vector<JsonRecord>& records) {
    const Results results(records);
    return "# Grid engine side by side\n\n" + timesTable(results) + "\n" + ratioTable(results) +
           "\n" + floorSection(results) + "\n" + targetList(results) + "\n" + std::string(kNotes);
}

} // namespace bench
