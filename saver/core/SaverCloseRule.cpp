#include "saver/core/SaverCloseRule.h"

#include <cstdlib>

bool CSaverCloseRule::Closes(const SaverInput& input) const {
    if (m_flags.preview)
        return false;
    switch (input.kind) {
        case SaverInput::Kind::MouseMove:
            return !m_flags.configMode && MovedFromStart(input.cursor);
        case SaverInput::Kind::ButtonDown:
        case SaverInput::Kind::KeyDown:
            return true;
        case SaverInput::Kind::WindowActivation:
            return !input.active && !input.toOwnText;
        case SaverInput::Kind::AppActivation:
            return !input.active;
    }
    return false;
}

// Measured from the start, not from the previous position, so a slow drift
// of small steps ends the saver once it has gone further than a jitter.
bool CSaverCloseRule::MovedFromStart(ScreenPoint cursor) const {
    return std::abs(cursor.x - m_start.x) + std::abs(cursor.y - m_start.y) > kJitterPixels;
}
