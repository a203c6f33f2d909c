#pragma once

// Which of its three starters made a saver window: the full-screen run mode,
// the preview inside a foreign window, or the phrase manager's Test button
// (full screen, but mouse movement alone does not end it).
struct SaverRunFlags {
    bool preview = false;
    bool configMode = false;
};
