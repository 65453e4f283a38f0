#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace tokivane::bench {

// The value below which `fraction` of the samples lie, by nearest rank;
// 0.5 is the median. Timings on a shared machine have a long upper tail,
// so the benchmarks report ranks rather than means.
inline double percentile(std::vector<double> samples, double fraction) {
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const auto rank =
        static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(rank, samples.size() - 1)];
}

inline double median(const std::vector<double>& samples) {
    return percentile(samples, 0.5);
}

} // namespace tokivane::bench
