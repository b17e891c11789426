#include "trk/Trk_Timer.h"

#include "acutads.h"

void Trk_Timer::start() {
    if (m_depth++ == 0) m_startedAt = Clock::now();
}

void Trk_Timer::end() {
    if (m_depth == 0) return;
    if (--m_depth > 0) return;
    m_total += Clock::now() - m_startedAt;
    ++m_calls;
}

void Trk_Timer::reset() {
    m_total = {};
    m_calls = 0;
    m_depth = 0;
}

Trk_String Trk_Timer::summary() const {
    const double seconds = totalSeconds();
    const double perCall = m_calls > 0 ? 1000.0 * seconds / m_calls : 0.0;
    return Trk_String::formatted(L"%s: %d calls, %.3f s in total, %.3f ms per call", m_name.c_str(),
                                 m_calls, seconds, perCall);
}

void Trk_Timer::print() const {
    acutPrintf(L"%s\n", summary().c_str());
}
