#pragma once
#include <cstdint>
#include <functional>

enum class RunMode {
    Configuration,  // no letter, or C
    FullScreen,     // S
    Preview,        // P and the handle of an existing window
    Password,       // A
    None,           // a character the dispatch does not know: start-up ends quietly
};

struct RunModeChoice {
    RunMode mode = RunMode::None;
    uint32_t previewWindow = 0;  // the handle given with P
};

// Reads the command line (without the program's name) the way Windows' saver
// conventions need: spaces, "-" and "/" are skipped, only the first other
// character counts. isWindow says whether a number names an existing window.
RunModeChoice DecideRunMode(const char* commandLine,
                            const std::function<bool(uint32_t)>& isWindow);
