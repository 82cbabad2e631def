// SPDX-License-Identifier: MIT
#pragma once

// One poll of 50 stations whose answers each take 100 ms, run through the program's
// own start-up and poll cycle against the platform simulator: prints the wall time
// next to the sequential and the six-connection ideal, and the longest event-loop
// stall. False when the benchmark could not be set up.
bool benchPoll();
