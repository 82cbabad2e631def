// SPDX-License-Identifier: MIT
// bench_json [--quick] [SHARED_DIR]
// bench_json --write-generated DIR
//
// Parse and serialize speed of JsonBag, nlohmann::ordered_json, RapidJSON and
// QJsonDocument, plus the DOM memory of JsonBag and nlohmann::ordered_json. MB/s
// are document bytes per second, best of several runs; building and tearing down
// the DOM is not timed.
//
// It always measures the three generated documents (SyntheticDocuments) and,
// when a folder is named, the three shared documents canada.json,
// citm_catalog.json and twitter.json: from SHARED_DIR when given, else from the
// folder in the environment variable MIRKAN_BENCH_DATA. A document missing from a
// named folder and any failed parse, serialization or round trip end the program
// with status 1 and no PASS line. --quick runs every step once, for the CTest
// smoke check; --write-generated writes the generated documents as files.
#include "DocumentBench.h"
#include "SyntheticDocuments.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Document = SyntheticDocuments::Document;

constexpr const char *kSharedNames[] = {"canada.json", "citm_catalog.json", "twitter.json"};

int usage()
{
    std::fprintf(stderr, "usage: bench_json [--quick] [SHARED_DIR]\n"
                         "       bench_json --write-generated DIR\n");
    return 2;
}

bool readFile(const std::filesystem::path &path, std::string &text)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    text = std::move(content).str();
    return !file.bad();
}

int writeGenerated(const std::filesystem::path &dir)
{
    for (const Document &document : SyntheticDocuments::all()) {
        const std::filesystem::path path = dir / document.name;
        std::ofstream file(path, std::ios::binary);
        file << document.text;
        if (!file.flush()) {
            std::fprintf(stderr, "bench_json: cannot write %s\n", path.string().c_str());
            return 1;
        }
        std::printf("%s (%zu bytes)\n", path.string().c_str(), document.text.size());
    }
    return 0;
}

// The shared documents of dir, all three; none when dir is empty. False when one is
// missing.
bool loadShared(const std::string &dir, std::vector<Document> &documents)
{
    if (dir.empty()) {
        std::printf("Shared documents: no folder named, generated documents only.\n");
        return true;
    }
    bool complete = true;
    for (const char *name : kSharedNames) {
        Document document{name, {}};
        if (!readFile(std::filesystem::path(dir) / name, document.text)) {
            std::printf("FAIL %s: not found in %s\n", name, dir.c_str());
            complete = false;
        }
        documents.push_back(std::move(document));
    }
    return complete;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--write-generated") == 0) {
        return argc == 3 ? writeGenerated(argv[2]) : usage();
    }
    bool quick = false;
    bool named = false;
    // The documents are not part of the repository; where they are is the machine's.
    const char *fromEnvironment = std::getenv("MIRKAN_BENCH_DATA");
    std::string sharedDir = fromEnvironment ? fromEnvironment : "";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            quick = true;
        } else if (argv[i][0] != '-' && !named) {
            sharedDir = argv[i];
            named = true;
        } else {
            return usage();
        }
    }

    std::vector<Document> documents;
    if (!loadShared(sharedDir, documents)) {
        std::printf("FAIL: benchmark input missing, nothing measured.\n");
        return 1;
    }
    const bool sharedLoaded = !documents.empty();
    for (Document &document : SyntheticDocuments::all()) {
        documents.push_back(std::move(document));
    }
    std::printf("Documents:");
    for (const Document &document : documents) {
        std::printf(" %s", document.name.c_str());
    }
    std::printf("\n");
    if (sharedLoaded) {
        std::printf("Shared documents from %s\n", sharedDir.c_str());
    }

    const DocumentBench::Timing timing =
        quick ? DocumentBench::Timing{1, 0.0} : DocumentBench::Timing{5, 0.4};
    std::vector<std::string> failed;
    for (const Document &document : documents) {
        if (!DocumentBench(document.name, document.text, timing).run()) {
            failed.push_back(document.name);
        }
    }
    std::printf("\n");
    if (!failed.empty()) {
        std::printf("FAIL: %zu of %zu documents had failures:", failed.size(), documents.size());
        for (const std::string &name : failed) {
            std::printf(" %s", name.c_str());
        }
        std::printf("\n");
        return 1;
    }
    std::printf("PASS: %zu documents measured; every parse, serialization and round trip "
                "checked.\n",
                documents.size());
    return 0;
}
