// SPDX-License-Identifier: MIT
#pragma once

// One poll of 50 stations whose answers each take 100 ms, run through the program's
// own start-up and poll cycle against the platform simulator: prints the wall time
// next to the sequential and the six-connection ideal, and the longest event-loop
// stall. False when the benchmark could not be set up.
bool benchPoll();

// One poll of 20 stations the server never answers and one it answers at once, with a
// 1 s time limit: prints the wall time against that limit. Silent requests give up
// their places, and the first time-out fails the host's other silent ones, so the poll
// should take one time limit, not one per round of places. False when the answered
// station lost its count or the poll did not end.
bool benchSilentHost();
