// SPDX-License-Identifier: MIT
// Parse and serialize speed of JsonBag, nlohmann::ordered_json, RapidJSON and
// QJsonDocument on the shared benchmark documents, plus the DOM memory of
// JsonBag and nlohmann::ordered_json. MB/s are document bytes per second, best
// of several runs; building and tearing down the DOM is not timed.
#include "CountingAllocator.h"
#include "JsonBag.h"
#include "JsonUtf.h"

#include <QByteArray>
#include <QJsonDocument>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kMinSeconds = 0.4;
constexpr int kMinRuns = 5;

// One timed step: prepare() runs untimed before each run, run() is timed.
double bestSeconds(const std::function<void()> &prepare, const std::function<void()> &run)
{
    double best = 1e9;
    double total = 0;
    for (int i = 0; i < kMinRuns || total < kMinSeconds; ++i) {
        prepare();
        const auto start = Clock::now();
        run();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        best = std::min(best, seconds);
        total += seconds;
    }
    return best;
}

struct Speeds
{
    double parse;
    double serialize;
};

double megabytesPerSecond(const std::string &text, double seconds)
{
    return static_cast<double>(text.size()) / 1e6 / seconds;
}

Speeds benchJsonBag(const std::string &text)
{
    JsonBag bag;
    const double parse = bestSeconds([&] { bag = JsonBag(); }, [&] { bag.setJSONUtf8(text); });
    std::string out;
    const double write = bestSeconds([&] { out = {}; }, [&] { out = bag.JSONUtf8(); });
    return {megabytesPerSecond(text, parse), megabytesPerSecond(text, write)};
}

Speeds benchJsonBagUtf16(const std::string &text)
{
    const std::u16string wide = JsonUtf::toUtf16(text);
    JsonBag bag;
    const double parse = bestSeconds([&] { bag = JsonBag(); }, [&] { bag.setJSON(wide); });
    std::u16string out;
    const double write = bestSeconds([&] { out = {}; }, [&] { out = bag.JSON(); });
    return {megabytesPerSecond(text, parse), megabytesPerSecond(text, write)};
}

Speeds benchNlohmann(const std::string &text)
{
    nlohmann::ordered_json dom;
    const double parse =
        bestSeconds([&] { dom = nullptr; }, [&] { dom = nlohmann::ordered_json::parse(text); });
    std::string out;
    const double write = bestSeconds([&] { out = {}; }, [&] { out = dom.dump(); });
    return {megabytesPerSecond(text, parse), megabytesPerSecond(text, write)};
}

Speeds benchRapidJson(const std::string &text)
{
    std::unique_ptr<rapidjson::Document> dom;
    const double parse = bestSeconds([&] { dom = std::make_unique<rapidjson::Document>(); },
                                     [&] { dom->Parse(text.c_str()); });
    std::string out;
    const double write = bestSeconds([&] { out = {}; },
                                     [&] {
                                         rapidjson::StringBuffer buffer;
                                         rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
                                         dom->Accept(writer);
                                         out.assign(buffer.GetString(), buffer.GetSize());
                                     });
    return {megabytesPerSecond(text, parse), megabytesPerSecond(text, write)};
}

Speeds benchQt(const std::string &text)
{
    const QByteArray bytes = QByteArray::fromStdString(text);
    QJsonDocument dom;
    const double parse =
        bestSeconds([&] { dom = QJsonDocument(); }, [&] { dom = QJsonDocument::fromJson(bytes); });
    QByteArray out;
    const double write =
        bestSeconds([&] { out = QByteArray(); }, [&] { out = dom.toJson(QJsonDocument::Compact); });
    return {megabytesPerSecond(text, parse), megabytesPerSecond(text, write)};
}

struct Memory
{
    std::size_t dom;
    std::size_t peak;
};

// Bytes the DOM holds once parsed, and the peak while parsing, both counted
// from before the parse; the input text is allocated beforehand and not counted.
template <class Parse> Memory measureMemory(Parse &&parse)
{
    const std::size_t before = CountingAllocator::current();
    CountingAllocator::resetPeak();
    auto dom = parse();
    return {CountingAllocator::current() - before, CountingAllocator::peak() - before};
}

bool readFile(const std::string &path, std::string &text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    text = std::move(content).str();
    return true;
}

void benchDocument(const std::string &name, const std::string &text)
{
    std::printf("\n%s (%zu bytes)\n", name.c_str(), text.size());
    std::printf("  %-26s %12s %16s\n", "library", "parse MB/s", "serialize MB/s");
    const Speeds bag = benchJsonBag(text);
    const Speeds nlohmann = benchNlohmann(text);
    const std::pair<const char *, Speeds> rows[] = {
        {"JsonBag (UTF-8)", bag},
        {"JsonBag (UTF-16)", benchJsonBagUtf16(text)},
        {"nlohmann::ordered_json", nlohmann},
        {"RapidJSON", benchRapidJson(text)},
        {"QJsonDocument", benchQt(text)},
    };
    for (const auto &[library, speeds] : rows) {
        std::printf("  %-26s %12.1f %16.1f\n", library, speeds.parse, speeds.serialize);
    }
    std::printf("  JsonBag / nlohmann::ordered_json: parse x%.2f, serialize x%.2f\n",
                bag.parse / nlohmann.parse, bag.serialize / nlohmann.serialize);
    const Memory bagMemory = measureMemory([&] {
        JsonBag dom;
        dom.setJSONUtf8(text);
        return dom;
    });
    const Memory nlohmannMemory =
        measureMemory([&] { return nlohmann::ordered_json::parse(text); });
    std::printf("  DOM bytes: JsonBag %zu (peak while parsing %zu), "
                "nlohmann::ordered_json %zu (peak while parsing %zu), ratio %.2f\n",
                bagMemory.dom, bagMemory.peak, nlohmannMemory.dom, nlohmannMemory.peak,
                static_cast<double>(bagMemory.dom) / static_cast<double>(nlohmannMemory.dom));
}

} // namespace

int main()
{
    const std::string dir = MIRKAN_BENCH_DATA_DIR;
    int found = 0;
    for (const char *name : {"canada.json", "twitter.json", "citm_catalog.json"}) {
        std::string text;
        if (!readFile(dir + "/" + name, text)) {
            std::printf("%s: not found in %s, skipped\n", name, dir.c_str());
            continue;
        }
        ++found;
        benchDocument(name, text);
    }
    if (found == 0) {
        std::printf("No benchmark documents in %s; nothing measured.\n", dir.c_str());
    }
    return 0;
}
