#pragma once
#include "saver/core/SaverRunFlags.h"

// A position on the screen, in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// What the user or the system did to the saver window. Input on the text
// window counts as input on the saver: the text window passes it on.
struct SaverInput {
    enum class Kind { MouseMove, ButtonDown, KeyDown, WindowActivation, AppActivation };

    static SaverInput MouseMove(ScreenPoint cursor) { return {Kind::MouseMove, cursor}; }
    static SaverInput ButtonDown() { return {Kind::ButtonDown}; }
    // A key or a system key.
    static SaverInput KeyDown() { return {Kind::KeyDown}; }
    // The saver window gained or lost activation; toOwnText when it lost it
    // to one of its own windows (a sentence area or its text).
    static SaverInput WindowActivation(bool active, bool toOwnText) {
        return {Kind::WindowActivation, {}, active, toOwnText};
    }
    static SaverInput AppActivation(bool active) { return {Kind::AppActivation, {}, active}; }

    Kind kind;
    ScreenPoint cursor = {};
    bool active = false;
    bool toOwnText = false;
};

// Which input ends which saver. The full-screen saver ends on any click or
// key and when activation goes to another window or application, and when
// the mouse goes further than a jitter from where it stood at the start,
// unless the phrase manager started it (the user is still at the mouse
// there); the preview goes only with its host window.
class CSaverCloseRule {
public:
    explicit CSaverCloseRule(const SaverRunFlags& flags) : m_flags(flags) {}

    // Where the cursor stood when the saver started; movement counts from here.
    void StartAt(ScreenPoint cursor) { m_start = cursor; }

    bool Closes(const SaverInput& input) const;

private:
    // How far, in pixels across plus pixels down, the cursor may stray from
    // its start without ending the saver: a desk's vibration or an optical
    // mouse's drift moves it a pixel or two, a hand that means it moves it
    // further at once. The platform's own saver library ignores as much.
    static constexpr int kJitterPixels = 3;

    bool MovedFromStart(ScreenPoint cursor) const;

    SaverRunFlags m_flags;
    ScreenPoint m_start;
};
