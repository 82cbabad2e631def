// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// Three benchmark documents made in memory, so the benchmark always has input
// wherever the sources are cloned. Each is 1-2 MB of UTF-8 and stresses one
// part of a JSON library:
// - geoJson: a feature collection of polygons, nearly all coordinate numbers
//   with 15 decimals;
// - catalogue: a shop catalogue of objects with many keys, integers and the
//   same structure over and over;
// - tweets: status messages dominated by strings, with many \u escapes,
//   surrogate pairs and raw non-ASCII text.
// The text is the same byte for byte on every platform and compiler: it is
// built from integers of a fixed pseudo-random sequence, never from floating
// point arithmetic or library distributions. Our own work, MIT licence.
class SyntheticDocuments
{
public:
    struct Document
    {
        std::string name;
        std::string text;
    };

    static std::vector<Document> all();

    static std::string geoJson();
    static std::string catalogue();
    static std::string tweets();
};
