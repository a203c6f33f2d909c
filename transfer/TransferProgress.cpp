#include "transfer/TransferProgress.h"

#include <cstdio>

CProgressPacer::CProgressPacer(CTransferProgress& sink, std::chrono::milliseconds interval)
    : m_sink(sink), m_interval(interval) {}

void CProgressPacer::Start(uint32_t total, const char* zeroFormat) {
    m_total = total;
    m_heldFormat = nullptr;
    m_sink.SetRange(total);
    char text[64];
    std::snprintf(text, sizeof text, zeroFormat, total);
    m_sink.SetText(text);
    m_lastShown = std::chrono::steady_clock::now();
}

void CProgressPacer::Update(uint32_t position, const char* format) {
    if (m_interval.count() > 0) {
        const auto now = std::chrono::steady_clock::now();
        if (now - m_lastShown < m_interval) {
            m_heldPosition = position;
            m_heldFormat = format;
            return;
        }
        m_lastShown = now;
    }
    Show(position, format);
}

void CProgressPacer::Flush() {
    if (m_heldFormat)
        Show(m_heldPosition, m_heldFormat);
}

void CProgressPacer::Show(uint32_t position, const char* format) {
    m_heldFormat = nullptr;
    char text[64];
    std::snprintf(text, sizeof text, format, position, m_total);
    m_sink.SetPosition(position);
    m_sink.SetText(text);
}
