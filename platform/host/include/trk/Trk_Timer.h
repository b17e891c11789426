// Trk_Timer: accumulates the time spent in a stage over many runs, on a monotonic clock.
// start/end pairs may nest (a stage that re-enters itself); only the outermost pair counts as
// one call and adds its time. An end without a start is ignored.
#pragma once

#include "trk/Trk_String.h"

#include <chrono>

class Trk_Timer {
public:
    Trk_Timer() = default;
    explicit Trk_Timer(const Trk_String& name) : m_name(name) {}

    void start();
    void end();
    void reset();

    const Trk_String& name() const { return m_name; }
    int callCount() const { return m_calls; }
    bool isRunning() const { return m_depth > 0; }
    double totalSeconds() const { return std::chrono::duration<double>(m_total).count(); }
    // "<name>: <calls> calls, <seconds> s in total, <milliseconds> ms per call".
    Trk_String summary() const;
    // Prints the summary line on the command line.
    void print() const;

private:
    using Clock = std::chrono::steady_clock;

    Trk_String m_name;
    Clock::duration m_total{};
    Clock::time_point m_startedAt{};
    int m_calls = 0;
    int m_depth = 0;
};

// Times one scope: start at construction, end at destruction.
class Trk_FunctionTimer {
public:
    explicit Trk_FunctionTimer(Trk_Timer& timer) : m_timer(timer) { m_timer.start(); }
    ~Trk_FunctionTimer() { m_timer.end(); }
    Trk_FunctionTimer(const Trk_FunctionTimer&) = delete;
    Trk_FunctionTimer& operator=(const Trk_FunctionTimer&) = delete;

private:
    Trk_Timer& m_timer;
};
