#pragma once

#include <functional>
#include <vector>

// Timing and memory readings shared by the benchmarks (memory from /proc, so Linux only).
class BenchMeasure
{
public:
    // A field of /proc/self/status in MiB: "VmRSS:" now, "VmHWM:" the peak since resetPeak().
    static double statusMiB(const char *field);
    static void resetPeak();
    static double median(std::vector<double> values);
    static double cpuMs();
    // Wall time of `work` in ms; its CPU time too when `cpu` is given.
    static double timeMs(const std::function<void()> &work, double *cpu = nullptr);
};
