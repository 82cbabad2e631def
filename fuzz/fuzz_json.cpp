// SPDX-License-Identifier: MIT
// libFuzzer target: parses arbitrary bytes with JsonBag in both number modes and
// checks that
// - the UTF-8 entry point and UTF-16 parsing of the converted text agree on the
//   result or the exact error;
// - a parsed document written out and parsed again writes the same text, and
//   its pretty layout describes the same document;
// - the UTF-8 and UTF-16 serializations are the same text;
// - whatever parses in decimal mode parses in double mode too: the two number
//   kinds read the same syntax, both read tiny values as zero, and the decimal
//   range lies inside the double range.
#include "JsonBag.h"
#include "JsonUtf.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// "ok" plus the compact UTF-8 text, or the error with its number.
std::string outcome(JsonBag &bag, bool parsed, const std::string &error)
{
    return parsed ? "ok " + bag.JSONUtf8() : error;
}

std::string parseUtf8(JsonBag &bag, std::string_view text)
{
    try {
        bag.setJSONUtf8(text);
    } catch (const JsonError &e) {
        // A failed parse leaves the complete top-level items; they must still write.
        bag.JSONUtf8();
        return outcome(bag, false, std::to_string(e.number()) + " " + e.what());
    }
    return outcome(bag, true, {});
}

std::string parseUtf16(JsonBag &bag, std::u16string_view text)
{
    try {
        bag.setJSON(text);
    } catch (const JsonError &e) {
        bag.JSON();
        return outcome(bag, false, std::to_string(e.number()) + " " + e.what());
    }
    return outcome(bag, true, {});
}

void roundTrip(JsonBag &bag, bool decimalMode)
{
    const std::u16string compact = bag.JSON();
    check(JsonUtf::toUtf8(compact) == bag.JSONUtf8());
    bag.setWhitespace(true);
    const std::u16string pretty = bag.JSON();

    JsonBag again;
    again.setDecimalMode(decimalMode);
    again.setJSON(compact);
    check(again.JSON() == compact);
    again.setJSON(pretty);
    check(again.JSON() == compact);
}

// The outcome of the UTF-8 parse, "ok ..." or the error.
std::string run(std::string_view text, bool decimalMode)
{
    JsonBag viaUtf8;
    viaUtf8.setDecimalMode(decimalMode);
    const std::string result8 = parseUtf8(viaUtf8, text);

    JsonBag viaUtf16;
    viaUtf16.setDecimalMode(decimalMode);
    const std::string result16 = parseUtf16(viaUtf16, JsonUtf::toUtf16(text));
    check(result8 == result16);

    if (result8.starts_with("ok ")) {
        roundTrip(viaUtf8, decimalMode);
    }
    return result8;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::string asDouble = run(text, false);
    const std::string asDecimal = run(text, true);
    check(!asDecimal.starts_with("ok ") || asDouble.starts_with("ok "));
    return 0;
}
