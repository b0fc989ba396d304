// Loading a 1 MiB language file of 20,000 keys and looking every key up once, beside
// inih doing the same work into a hash map.
#include <benchmark/benchmark.h>
#include <ini.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "ini_file.h"
#include "text_conversion.h"

namespace {

constexpr int kSections = 200;
constexpr int kKeysPerSection = 100;

struct Corpus {
    std::filesystem::path path;
    std::vector<std::pair<std::u16string, std::u16string>> wideNames;  // section, key
    std::vector<std::string> flatNames;                                // "section\nkey"
};

const Corpus& TheCorpus() {
    static const Corpus corpus = [] {
        Corpus c;
        c.path = std::filesystem::temp_directory_path() / "language_bench.ini";
        std::ofstream out(c.path, std::ios::trunc);
        for (int s = 0; s < kSections; ++s) {
            const std::string section = "Dialog" + std::to_string(s);
            out << "; texts of dialog " << s << "\n[" << section << "]\n";
            for (int k = 0; k < kKeysPerSection; ++k) {
                const std::string key = "IDC_CONTROL_" + std::to_string(k);
                out << key << " = Caption " << k << " of dialog " << s << "\n";
                c.wideNames.emplace_back(*vireo::text::Utf8ToWide(section),
                                         *vireo::text::Utf8ToWide(key));
                c.flatNames.push_back(section + "\n" + key);
            }
        }
        return c;
    }();
    return corpus;
}

void BM_LoadOurs(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        CIniFile document;
        benchmark::DoNotOptimize(document.Load(corpus.path));
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(corpus.path));
}
BENCHMARK(BM_LoadOurs)->Unit(benchmark::kMillisecond);

void BM_LookupEveryKeyOurs(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    CIniFile document;
    document.Load(corpus.path);
    for (auto _ : state)
        for (const auto& [section, key] : corpus.wideNames)
            benchmark::DoNotOptimize(document.GetString(section, key, u"missing"));
    state.counters["keys"] = static_cast<double>(corpus.wideNames.size());
}
BENCHMARK(BM_LookupEveryKeyOurs)->Unit(benchmark::kMillisecond);

using FlatMap = std::unordered_map<std::string, std::string>;

int Store(void* user, const char* section, const char* name, const char* value) {
    static_cast<FlatMap*>(user)->insert_or_assign(std::string(section) + "\n" + name, value);
    return 1;
}

void BM_LoadInih(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        FlatMap map;
        benchmark::DoNotOptimize(ini_parse(corpus.path.c_str(), Store, &map));
    }
}
BENCHMARK(BM_LoadInih)->Unit(benchmark::kMillisecond);

void BM_LookupEveryKeyInih(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    FlatMap map;
    ini_parse(corpus.path.c_str(), Store, &map);
    for (auto _ : state)
        for (const auto& name : corpus.flatNames) benchmark::DoNotOptimize(map.find(name));
}
BENCHMARK(BM_LookupEveryKeyInih)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
