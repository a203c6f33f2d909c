#include "saver/core/SaverCloseRule.h"

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

// Any movement at all counts; a distance from the start would be weighed here.
bool CSaverCloseRule::MovedFromStart(ScreenPoint cursor) const {
    return cursor.x != m_start.x || cursor.y != m_start.y;
}
