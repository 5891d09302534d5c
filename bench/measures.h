#pragma once

// Figures the timing benchmarks share.

#include <sys/resource.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace bench {

// The value below which the given share of the values lies (0.5 the median, 1.0 the largest).
inline double percentile(std::vector<double> values, double share) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[index];
}

// Processor time used so far by the process (RUSAGE_SELF) or the calling thread (RUSAGE_THREAD).
inline double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace bench
