// SPDX-License-Identifier: MIT
#include "SyntheticDocuments.h"

#include "DocumentRandom.h"
#include "DocumentText.h"

#include <cstdint>
#include <string_view>

namespace {

using namespace DocumentText;
using Random = DocumentRandom;

// Sizes in bytes; each document stops at the first whole item past its target.
constexpr std::size_t kGeoBytes = 1'900'000;
constexpr std::size_t kCatalogueBytes = 1'700'000;
constexpr std::size_t kTweetBytes = 1'300'000;

// --- geoJson ---------------------------------------------------------------

constexpr int kCoordinateDecimals = 15;
constexpr std::int64_t kDegree = 1'000'000'000'000'000; // 10^15 units

// One closed ring: a random walk of a few thousandths of a degree per step,
// ending on its first point as polygon rings do.
void appendRing(std::string &out, Random &random, std::int64_t lon, std::int64_t lat)
{
    const auto points = random.between(150, 1200);
    const std::int64_t firstLon = lon;
    const std::int64_t firstLat = lat;
    out += '[';
    for (std::int64_t i = 0; i <= points; ++i) {
        if (i == points) {
            lon = firstLon;
            lat = firstLat;
        }
        out += '[';
        appendFixed(out, lon, kCoordinateDecimals);
        out += ',';
        appendFixed(out, lat, kCoordinateDecimals);
        out += "],";
        lon += random.between(-kDegree / 200, kDegree / 200);
        lat += random.between(-kDegree / 300, kDegree / 300);
    }
    closeContainer(out, ']');
    out += ',';
}

void appendFeature(std::string &out, Random &random, int index)
{
    out += R"({"type":"Feature","properties":{"name":"Region )";
    appendInt(out, index);
    out += R"(","code":)";
    appendInt(out, 1000 + index);
    out += R"(},"geometry":{"type":"Polygon","coordinates":[)";
    // Two integer digits and 15 decimals: 17 significant digits, as many as a
    // double can need.
    const std::int64_t lon = random.between(-95 * kDegree, -52 * kDegree);
    const std::int64_t lat = random.between(42 * kDegree, 80 * kDegree);
    const auto rings = random.between(1, 4);
    for (std::int64_t r = 0; r < rings; ++r) {
        appendRing(out, random, lon + r * kDegree / 10, lat + r * kDegree / 20);
    }
    closeContainer(out, ']');
    out += "}},";
}

// --- catalogue ---------------------------------------------------------------

constexpr std::string_view kShops[] = {"NORTH_HALL", "RIVER_SIDE", "OLD_TOWN", "HARBOUR",
                                       "MARKET_SQUARE"};
constexpr std::string_view kWords[] = {
    "Classic", "Evening", "Garden", "Quartet", "Maple",  "Studio",  "Summer", "Winter",
    "Lantern", "Harbour", "Violet", "Orchard", "Copper", "Meadow",  "Signal", "Velvet",
    "Canyon",  "Willow",  "Echo",   "Timber",  "Amber",  "Horizon", "Pebble", "Falcon"};

std::string productName(Random &random)
{
    std::string name(random.pick(kWords));
    name += ' ';
    name += random.pick(kWords);
    return name;
}

void appendIdList(std::string &out, Random &random, std::string_view key, std::int64_t base,
                  int maxCount)
{
    appendKey(out, key);
    out += '[';
    const auto count = random.between(0, maxCount);
    for (std::int64_t i = 0; i < count; ++i) {
        appendInt(out, base + random.between(0, 999));
        out += ',';
    }
    closeContainer(out, ']');
    out += ',';
}

void appendNameTable(std::string &out, std::string_view key, std::int64_t firstId, int count,
                     Random &random)
{
    appendKey(out, key);
    out += '{';
    for (int i = 0; i < count; ++i) {
        appendString(out, std::to_string(firstId + i), productName(random));
    }
    closeContainer(out, '}');
    out += ',';
}

void appendProduct(std::string &out, Random &random, std::int64_t id)
{
    appendKey(out, std::to_string(id));
    out += '{';
    appendNumber(out, "id", id);
    appendString(out, "name", productName(random));
    out += R"("description":null,"image":null,"subtitle":null,)";
    appendIdList(out, random, "categoryIds", 2000, 4);
    appendIdList(out, random, "tagIds", 5000, 6);
    out += R"("subjectCode":null},)";
}

void appendOffer(std::string &out, Random &random, std::int64_t id, std::int64_t productId)
{
    out += '{';
    appendNumber(out, "offerId", id);
    appendNumber(out, "productId", productId);
    appendNumber(out, "start", 1'372'000'000'000 + random.between(0, 40'000'000) * 1000);
    appendString(out, "shopCode", random.pick(kShops));
    out += R"("name":null,"logo":null,"note":null,"stock":[)";
    for (auto n = random.between(1, 5); n > 0; --n) {
        out += '{';
        appendNumber(out, "warehouseId", 7000 + random.between(0, 60));
        appendIdList(out, random, "binIds", 90000, 3);
        closeContainer(out, '}');
        out += ',';
    }
    closeContainer(out, ']');
    out += R"(,"prices":[)";
    for (auto n = random.between(1, 6); n > 0; --n) {
        out += '{';
        appendNumber(out, "amount", random.between(5, 400) * 500);
        appendNumber(out, "tierId", 300 + random.between(0, 20));
        appendNumber(out, "currencyId", 978);
        closeContainer(out, '}');
        out += ',';
    }
    closeContainer(out, ']');
    out += "},";
}

// --- tweets ----------------------------------------------------------------

// Ranges of kana, common CJK ideographs, accented Latin and emoticons.
char32_t randomNonAscii(Random &random)
{
    switch (random.between(0, 9)) {
    case 0:
    case 1:
    case 2:
        return static_cast<char32_t>(random.between(0x3041, 0x3093));
    case 3:
    case 4:
        return static_cast<char32_t>(random.between(0x30A1, 0x30F3));
    case 5:
    case 6:
    case 7:
        return static_cast<char32_t>(random.between(0x4E00, 0x6FFF));
    case 8:
        return static_cast<char32_t>(random.between(0xC0, 0xFF));
    default:
        return static_cast<char32_t>(random.between(0x1F600, 0x1F64F));
    }
}

// Mostly non-ASCII text, either escaped (as many services send it) or raw,
// with ASCII words, quotes and line breaks in between.
std::string messageText(Random &random, int minLength, int maxLength)
{
    const bool escaped = random.chance(60);
    std::string text;
    for (auto n = random.between(minLength, maxLength); n > 0; --n) {
        if (random.chance(12)) {
            text += random.chance(20) ? "\\n" : (random.chance(20) ? "\\\"" : " ");
            text += random.pick(kWords);
            text += ' ';
            continue;
        }
        const char32_t c = randomNonAscii(random);
        if (escaped) {
            appendEscaped(text, c);
        } else {
            appendUtf8(text, c);
        }
    }
    return text;
}

void appendAuthor(std::string &out, Random &random, std::int64_t userId)
{
    appendKey(out, "author");
    out += '{';
    appendNumber(out, "id", userId);
    appendString(out, "id_text", std::to_string(userId));
    appendString(out, "name", messageText(random, 2, 8));
    appendString(out, "handle",
                 std::string(random.pick(kWords)) + "_" + std::to_string(userId % 997));
    appendString(out, "location", messageText(random, 0, 6));
    appendString(out, "about", messageText(random, 10, 60));
    out += R"("url":null,"protected":false,"verified":false,)";
    appendNumber(out, "followers", random.between(0, 50000));
    appendNumber(out, "following", random.between(0, 3000));
    appendNumber(out, "posts", random.between(1, 200000));
    appendString(out, "joined",
                 "Mon Mar 12 07:" + std::to_string(10 + random.between(0, 49)) + ":22 +0000 2012");
    appendString(out, "avatar",
                 R"(https:\/\/img.example.org\/avatars\/)" + std::to_string(userId) +
                     R"(\/normal.png)");
    appendString(out, "background_color", "C0DEED");
    out += R"("lang":"ja"},)";
}

void appendPost(std::string &out, Random &random, std::int64_t id)
{
    out += '{';
    appendKey(out, "metadata");
    out += R"({"kind":"recent","language":"ja"},)";
    appendString(out, "created",
                 "Sun Aug 31 00:" + std::to_string(10 + random.between(0, 49)) + ":15 +0000 2014");
    appendNumber(out, "id", id);
    appendString(out, "id_text", std::to_string(id));
    appendString(out, "text", messageText(random, 15, 70));
    appendString(out, "client",
                 R"(<a href=\"https:\/\/app.example.org\/\" rel=\"nofollow\">Example app<\/a>)");
    out += R"("reply_to":null,"geo":null,"place":null,"truncated":false,)";
    appendAuthor(out, random, 100'000'000 + random.between(0, 2'000'000'000));
    appendKey(out, "tags");
    out += '[';
    for (auto n = random.between(0, 3); n > 0; --n) {
        out += R"({"text":")" + messageText(random, 2, 6) + R"(","indices":[)";
        const auto at = random.between(0, 60);
        appendInt(out, at);
        out += ',';
        appendInt(out, at + random.between(3, 9));
        out += "]},";
    }
    closeContainer(out, ']');
    out += ',';
    appendNumber(out, "shares", random.between(0, 3000));
    appendNumber(out, "likes", random.between(0, 9000));
    out += R"("liked":false,"shared":false,"lang":"ja"},)";
}

} // namespace

std::vector<SyntheticDocuments::Document> SyntheticDocuments::all()
{
    return {{"generated-geo.json", geoJson()},
            {"generated-catalogue.json", catalogue()},
            {"generated-posts.json", tweets()}};
}

std::string SyntheticDocuments::geoJson()
{
    Random random(1);
    std::string out = R"({"type":"FeatureCollection","features":[)";
    for (int index = 1; out.size() < kGeoBytes; ++index) {
        appendFeature(out, random, index);
    }
    closeContainer(out, ']');
    out += '}';
    return out;
}

std::string SyntheticDocuments::catalogue()
{
    Random random(2);
    std::string out = "{";
    appendNameTable(out, "shops", 100, 5, random);
    appendNameTable(out, "categories", 2000, 1000, random);
    appendNameTable(out, "tags", 5000, 1000, random);
    // Products first, then the offers that refer to them.
    constexpr std::int64_t kFirstProduct = 300'000;
    constexpr int kProducts = 2000;
    appendKey(out, "products");
    out += '{';
    for (int i = 0; i < kProducts; ++i) {
        appendProduct(out, random, kFirstProduct + i);
    }
    closeContainer(out, '}');
    out += R"(,"offers":[)";
    for (std::int64_t id = 1'400'000'000; out.size() < kCatalogueBytes; ++id) {
        appendOffer(out, random, id, kFirstProduct + random.between(0, kProducts - 1));
    }
    closeContainer(out, ']');
    out += '}';
    return out;
}

std::string SyntheticDocuments::tweets()
{
    Random random(3);
    std::string out = R"({"posts":[)";
    // Identifiers past 2^53, as timeline services hand them out.
    for (std::int64_t id = 505'874'924'095'815'681; out.size() < kTweetBytes;
         id += random.between(1, 1'000'000)) {
        appendPost(out, random, id);
    }
    closeContainer(out, ']');
    out += R"(,"paging":{"count":)";
    appendInt(out, 100);
    out += R"(,"next":"?max_id=1&q=%E4%B8%80"}})";
    return out;
}
