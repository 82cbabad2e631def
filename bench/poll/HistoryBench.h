// SPDX-License-Identifier: MIT
#pragma once

// Appends a million listener counts over 50 stations to a listener history and
// prints its bytes per record, and the process's resident memory growth beside it.
void benchHistory();
