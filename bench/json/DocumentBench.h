// SPDX-License-Identifier: MIT
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

// Measures one document with JsonBag and the reference libraries and checks
// every result, so that a figure is never printed for work that failed: each
// library must parse the document, its serialization must hold the same values
// (compared by a separate parse into nlohmann::json, where key order does not
// count), and JsonBag's output must read back to the same text.
//
//     DocumentBench bench("canada.json", text, {5, 0.4});
//     const bool ok = bench.run(); // prints the table and any FAIL lines
class DocumentBench
{
public:
    struct Timing
    {
        int minRuns;
        double minSeconds;
    };

    DocumentBench(std::string name, const std::string &text, Timing timing);

    // Prints the document's figures; false when anything failed.
    bool run();

private:
    struct Speeds
    {
        double parse;
        double serialize;
    };

    std::optional<Speeds> jsonBagUtf8();
    std::optional<Speeds> jsonBagUtf16();
    std::optional<Speeds> nlohmannOrdered();
    std::optional<Speeds> rapidJson();
    std::optional<Speeds> qtJson();
    void measureMemory();

    double megabytesPerSecond(double seconds) const;
    bool holdsSameValues(const std::string &json) const;
    std::nullopt_t fail(const char *library, const std::string &why);

    std::string m_name;
    const std::string &m_text;
    Timing m_timing;
    nlohmann::json m_reference;
    std::string m_bagOutput;
    int m_failures = 0;
};
