// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

// The program's end when its desktop goes away under it. Qt ends the process with
// exit(1) from inside the event loop once its X11 connection breaks - the server ended
// with the session, or was killed - so no destructor runs: the lock would stay behind
// and the status would report a failure although the program did nothing wrong.
//
// While a SessionEnd lives, an exit that does not come through main's return runs
// cleanup first; when the window system's connection is gone, the process then ends
// with status 0. Make one in main after what cleanup releases; its end disarms it.
class SessionEnd
{
public:
    explicit SessionEnd(std::function<void()> cleanup);
    ~SessionEnd();
    SessionEnd(const SessionEnd &) = delete;
    SessionEnd &operator=(const SessionEnd &) = delete;

    // True when the connection to the window system is broken. One implementation per
    // platform, chosen by the build.
    static bool windowSystemLost();

private:
    static void atExit();

    std::function<void()> m_cleanup;
};
