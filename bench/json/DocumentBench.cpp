// SPDX-License-Identifier: MIT
#include "DocumentBench.h"

#include "CountingAllocator.h"
#include "JsonBag.h"
#include "JsonUtf.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// One timed step: prepare() runs untimed before each run, run() is timed; the
// best of at least minRuns runs adding up to at least minSeconds.
double bestSeconds(const DocumentBench::Timing &timing, const std::function<void()> &prepare,
                   const std::function<void()> &run)
{
    double best = 1e9;
    double total = 0;
    for (int i = 0; i < timing.minRuns || total < timing.minSeconds; ++i) {
        prepare();
        const auto start = Clock::now();
        run();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        best = std::min(best, seconds);
        total += seconds;
    }
    return best;
}

struct Memory
{
    std::size_t dom;
    std::size_t peak;
};

// Bytes the DOM holds once parsed, and the peak while parsing, both counted
// from before the parse; the input text is allocated beforehand and not counted.
template <class Parse> Memory domMemory(Parse &&parse)
{
    const std::size_t before = CountingAllocator::current();
    CountingAllocator::resetPeak();
    auto dom = parse();
    return {CountingAllocator::current() - before, CountingAllocator::peak() - before};
}

} // namespace

DocumentBench::DocumentBench(std::string name, const std::string &text, Timing timing)
    : m_name(std::move(name)), m_text(text), m_timing(timing)
{
}

bool DocumentBench::run()
{
    std::printf("\n%s (%zu bytes)\n", m_name.c_str(), m_text.size());
    try {
        m_reference = nlohmann::json::parse(m_text);
    } catch (const nlohmann::json::exception &e) {
        fail("reference parse", e.what());
        return false;
    }
    std::printf("  %-26s %12s %16s\n", "library", "parse MB/s", "serialize MB/s");
    const std::optional<Speeds> bag = jsonBagUtf8();
    const std::optional<Speeds> nlohmann = nlohmannOrdered();
    const std::pair<const char *, std::optional<Speeds>> rows[] = {
        {"JsonBag (UTF-8)", bag},
        {"JsonBag (UTF-16)", jsonBagUtf16()},
        {"nlohmann::ordered_json", nlohmann},
        {"RapidJSON (full precision)", rapidJson()},
        {"QJsonDocument", qtJson()},
    };
    for (const auto &[library, speeds] : rows) {
        if (speeds) {
            std::printf("  %-26s %12.1f %16.1f\n", library, speeds->parse, speeds->serialize);
        } else {
            std::printf("  %-26s %12s %16s\n", library, "failed", "failed");
        }
    }
    if (bag && nlohmann) {
        std::printf("  JsonBag / nlohmann::ordered_json: parse x%.2f, serialize x%.2f\n",
                    bag->parse / nlohmann->parse, bag->serialize / nlohmann->serialize);
    }
    measureMemory();
    return m_failures == 0;
}

double DocumentBench::megabytesPerSecond(double seconds) const
{
    return static_cast<double>(m_text.size()) / 1e6 / seconds;
}

bool DocumentBench::holdsSameValues(const std::string &json) const
{
    try {
        return nlohmann::json::parse(json) == m_reference;
    } catch (const nlohmann::json::exception &) {
        return false;
    }
}

std::nullopt_t DocumentBench::fail(const char *library, const std::string &why)
{
    std::printf("  FAIL %s: %s\n", library, why.c_str());
    ++m_failures;
    return std::nullopt;
}

std::optional<DocumentBench::Speeds> DocumentBench::jsonBagUtf8()
{
    constexpr const char *kLibrary = "JsonBag (UTF-8)";
    JsonBag bag;
    std::string out;
    Speeds speeds{};
    try {
        speeds.parse = megabytesPerSecond(bestSeconds(
            m_timing, [&] { bag = JsonBag(); }, [&] { bag.setJSONUtf8(m_text); }));
        speeds.serialize = megabytesPerSecond(bestSeconds(
            m_timing, [&] { out = {}; }, [&] { out = bag.JSONUtf8(); }));
        JsonBag again;
        again.setJSONUtf8(out);
        if (again.JSONUtf8() != out) {
            return fail(kLibrary, "its output, parsed and written again, changes");
        }
    } catch (const JsonError &e) {
        return fail(kLibrary, "error " + std::to_string(e.number()) + ": " + e.what());
    }
    if (!holdsSameValues(out)) {
        return fail(kLibrary, "its output does not hold the document's values");
    }
    m_bagOutput = std::move(out);
    return speeds;
}

std::optional<DocumentBench::Speeds> DocumentBench::jsonBagUtf16()
{
    constexpr const char *kLibrary = "JsonBag (UTF-16)";
    const std::u16string wide = JsonUtf::toUtf16(m_text);
    JsonBag bag;
    std::u16string out;
    Speeds speeds{};
    try {
        speeds.parse = megabytesPerSecond(bestSeconds(
            m_timing, [&] { bag = JsonBag(); }, [&] { bag.setJSON(wide); }));
        speeds.serialize = megabytesPerSecond(bestSeconds(
            m_timing, [&] { out = {}; }, [&] { out = bag.JSON(); }));
    } catch (const JsonError &e) {
        return fail(kLibrary, "error " + std::to_string(e.number()) + ": " + e.what());
    }
    const std::string utf8 = JsonUtf::toUtf8(out);
    if (!m_bagOutput.empty() && utf8 != m_bagOutput) {
        return fail(kLibrary, "its output differs from the UTF-8 entry point's");
    }
    if (!holdsSameValues(utf8)) {
        return fail(kLibrary, "its output does not hold the document's values");
    }
    return speeds;
}

std::optional<DocumentBench::Speeds> DocumentBench::nlohmannOrdered()
{
    constexpr const char *kLibrary = "nlohmann::ordered_json";
    nlohmann::ordered_json dom;
    std::string out;
    Speeds speeds{};
    try {
        speeds.parse = megabytesPerSecond(bestSeconds(
            m_timing, [&] { dom = nullptr; },
            [&] { dom = nlohmann::ordered_json::parse(m_text); }));
        speeds.serialize = megabytesPerSecond(bestSeconds(
            m_timing, [&] { out = {}; }, [&] { out = dom.dump(); }));
    } catch (const nlohmann::json::exception &e) {
        return fail(kLibrary, e.what());
    }
    if (!holdsSameValues(out)) {
        return fail(kLibrary, "its output does not hold the document's values");
    }
    return speeds;
}

std::optional<DocumentBench::Speeds> DocumentBench::rapidJson()
{
    constexpr const char *kLibrary = "RapidJSON";
    // Full precision: its default number reading may miss the nearest double,
    // which would fail the value check for reasons of accuracy, not speed.
    constexpr unsigned kFlags = rapidjson::kParseFullPrecisionFlag;
    std::unique_ptr<rapidjson::Document> dom;
    Speeds speeds{};
    speeds.parse = megabytesPerSecond(bestSeconds(
        m_timing, [&] { dom = std::make_unique<rapidjson::Document>(); },
        [&] { dom->Parse<kFlags>(m_text.c_str(), m_text.size()); }));
    if (dom->HasParseError()) {
        return fail(kLibrary, std::string(rapidjson::GetParseError_En(dom->GetParseError())) +
                                  " at byte " + std::to_string(dom->GetErrorOffset()));
    }
    std::string out;
    bool written = false;
    speeds.serialize = megabytesPerSecond(bestSeconds(
        m_timing, [&] { out = {}; },
        [&] {
            rapidjson::StringBuffer buffer;
            rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
            written = dom->Accept(writer);
            out.assign(buffer.GetString(), buffer.GetSize());
        }));
    if (!written) {
        return fail(kLibrary, "serialization failed");
    }
    if (!holdsSameValues(out)) {
        return fail(kLibrary, "its output does not hold the document's values");
    }
    return speeds;
}

std::optional<DocumentBench::Speeds> DocumentBench::qtJson()
{
    constexpr const char *kLibrary = "QJsonDocument";
    const QByteArray bytes = QByteArray::fromStdString(m_text);
    QJsonDocument dom;
    QJsonParseError error{};
    Speeds speeds{};
    speeds.parse = megabytesPerSecond(bestSeconds(
        m_timing, [&] { dom = QJsonDocument(); },
        [&] { dom = QJsonDocument::fromJson(bytes, &error); }));
    if (error.error != QJsonParseError::NoError) {
        return fail(kLibrary,
                    error.errorString().toStdString() + " at byte " + std::to_string(error.offset));
    }
    QByteArray out;
    speeds.serialize = megabytesPerSecond(bestSeconds(
        m_timing, [&] { out = QByteArray(); }, [&] { out = dom.toJson(QJsonDocument::Compact); }));
    if (!holdsSameValues(out.toStdString())) {
        return fail(kLibrary, "its output does not hold the document's values");
    }
    return speeds;
}

void DocumentBench::measureMemory()
{
    Memory bag{};
    Memory nlohmann{};
    try {
        bag = domMemory([&] {
            JsonBag dom;
            dom.setJSONUtf8(m_text);
            return dom;
        });
        nlohmann = domMemory([&] { return nlohmann::ordered_json::parse(m_text); });
    } catch (const std::exception &e) {
        fail("memory measurement", e.what());
        return;
    }
    std::printf("  DOM bytes: JsonBag %zu (peak while parsing %zu), "
                "nlohmann::ordered_json %zu (peak while parsing %zu), ratio %.2f\n",
                bag.dom, bag.peak, nlohmann.dom, nlohmann.peak,
                static_cast<double>(bag.dom) / static_cast<double>(nlohmann.dom));
}
