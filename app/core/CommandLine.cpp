#include "app/core/CommandLine.h"
#include "framework/base/ParseDecimal.h"

RunModeChoice DecideRunMode(const char* commandLine,
                            const std::function<bool(uint32_t)>& isWindow) {
    const char* cursor = commandLine ? commandLine : "";
    for (;;) {
        switch (*cursor) {
            case '\0':
            case 'C':
            case 'c':
                return {RunMode::Configuration, 0};
            case ' ':
            case '-':
            case '/':
                ++cursor;
                break;
            case 'S':
            case 's':
                return {RunMode::FullScreen, 0};
            case 'A':
            case 'a':
                return {RunMode::Password, 0};
            case 'P':
            case 'p': {
                ++cursor;
                while (*cursor == ' ')
                    ++cursor;
                const uint32_t handle = ParseDecimal(cursor);
                if (handle != 0 && isWindow(handle))
                    return {RunMode::Preview, handle};
                // No window: decide again on the first character of the number.
                break;
            }
            default:
                return {RunMode::None, 0};
        }
    }
}
