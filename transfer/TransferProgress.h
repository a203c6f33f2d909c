#pragma once
#include <chrono>
#include <cstdint>
#include <string>

// What a transfer shows while it runs: a bar over 0..total and a line of text.
class CTransferProgress {
public:
    virtual ~CTransferProgress() = default;
    // Range 0..total, position 0.
    virtual void SetRange(uint32_t total) = 0;
    virtual void SetPosition(uint32_t position) = 0;
    virtual void SetText(const std::string& text) = 0;
};

// Passes progress on at most once per interval (and always the last figures),
// so a transfer of many small steps does not spend its time redrawing.
class CProgressPacer {
public:
    CProgressPacer(CTransferProgress& sink, std::chrono::milliseconds interval);

    void Start(uint32_t total, const char* zeroFormat);
    // Shows "position of total" with the format, if the interval has passed.
    void Update(uint32_t position, const char* format);
    // Shows the figures of the last Update if they were held back.
    void Flush();

private:
    void Show(uint32_t position, const char* format);

    CTransferProgress& m_sink;
    std::chrono::milliseconds m_interval;
    std::chrono::steady_clock::time_point m_lastShown;
    uint32_t m_total = 0;
    uint32_t m_heldPosition = 0;
    const char* m_heldFormat = nullptr;
};
