// SPDX-License-Identifier: MIT
#include "SessionEnd.h"

#include <cstdlib>

namespace {

// An exit handler takes no argument, so the live guard is the one thing the handler
// has to find by itself.
SessionEnd *g_armed = nullptr;
void (*g_handler)() = nullptr;

} // namespace

SessionEnd::SessionEnd(std::function<void()> cleanup) : m_cleanup(std::move(cleanup))
{
    g_armed = this;
    if (!g_handler) {
        g_handler = &SessionEnd::atExit;
        std::atexit(g_handler);
    }
}

SessionEnd::~SessionEnd()
{
    g_armed = nullptr;
}

void SessionEnd::atExit()
{
    SessionEnd *armed = g_armed;
    if (!armed) {
        return;
    }
    g_armed = nullptr;
    if (armed->m_cleanup) {
        armed->m_cleanup();
    }
    if (windowSystemLost()) {
        // Nothing failed: the session the program served has ended. The rest of the
        // exit handlers would only talk to the server that is gone.
        std::_Exit(0);
    }
}
