// SPDX-License-Identifier: MIT
#pragma once

// Limits shared by the parser and the serializer.
struct JsonLimits
{
    // Deepest nesting of objects and arrays, the top level counting as 1. Both
    // directions stop here with error 28 instead of running out of real stack.
    static constexpr int kMaxDepth = 1000;
};
