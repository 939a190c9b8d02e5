#pragma once
// A sweep's results as CSV, one line per point in order, the same in the batch tool and in
// the window's export:
//   ebn0_db,noise_w_per_khz,bits,errors,ber,ber_low,ber_high,theory,runner,
//   interval_low,interval_high,interval_method,noise,thresholds,decisions
// Numbers are the shortest text that reads back as the same double; ber is errors / bits
// (0 before any bit), ber_low and ber_high the exact 95 % interval, which assumes
// independent bit errors; runner says which runner made the point's runs: folded, engine, or
// mixed (empty before any run). interval_low and interval_high are the 95 % interval that
// holds when errors cluster, from the spread between blocks of the point's runs;
// interval_method says which rule gave it: "blocks" (enough blocks and errors) or "exact"
// (the binomial one, over clusters of the size the line code gives its errors).
// noise is the noise scaling the sweep used ("fixed" density or "per-run" energy) and
// thresholds what the decisions were asked to compare with ("midway" or "as-set");
// decisions what they did compare with: "midway", "as-set" (asked for, or midway could not be
// formed), or "inseparable" when two levels arrive with the same mean, so that no thresholds
// tell them apart and ber says nothing about the link.
// The later columns were added after the first eight, which keep their place.

#include <string>
#include <vector>

#include "common/LinkConfig.h"
#include "sweep/Sweep.h"

namespace linelab {

inline constexpr const char* kSweepCsvHeader =
    "ebn0_db,noise_w_per_khz,bits,errors,ber,ber_low,ber_high,theory,runner,interval_low,"
    "interval_high,interval_method,noise,thresholds,decisions";

// A number as the CSV writes it: the shortest text that reads back as the same double, no
// "-0", an empty field for a non-finite value.
std::string CsvNumber(double x);

// One line, without its end of line; theory is the ideal rate at the point, config the
// settings the sweep ran on (for the receiver's choices).
std::string SweepCsvLine(const PointResult& result, double theory, const LinkConfig& config);

// The header and every line, each ended by "\n"; theory[i] belongs to results[i] (0 where
// missing).
std::string SweepCsv(const std::vector<PointResult>& results, const std::vector<double>& theory,
                     const LinkConfig& config);

}  // namespace linelab
