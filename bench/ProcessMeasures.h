#pragma once

// What a benchmark reads of its own process: processor time of all its
// threads, and its peak resident memory (Linux).

#include <ctime>
#include <fstream>
#include <string>

// The process's processor time so far, all threads, in seconds.
inline double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Starts a new peak of the process's resident memory (clear_refs 5).
inline void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The peak resident memory of a process (this one by default) since its last
// reset, in MiB; 0 once the process is gone.
inline double peakMemoryMiB(const std::string& process = "self")
{
    std::ifstream status("/proc/" + process + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}
