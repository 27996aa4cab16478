#pragma once

// A command run as a fresh process, timed from outside as the user waits for it.

#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

struct Measure {
    double seconds = 0;
    double megabytes = 0; // peak resident memory
    int status = -1;
};

// One fresh process, its output thrown away, optionally held to the first core.
inline Measure runProcess(const std::vector<std::string>& command, bool oneCore = false) {
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        if (oneCore) {
            cpu_set_t cores;
            CPU_ZERO(&cores);
            CPU_SET(0, &cores);
            ::sched_setaffinity(0, sizeof cores, &cores);
        }
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Measure measure;
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    measure.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measure.megabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    measure.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return measure;
}
