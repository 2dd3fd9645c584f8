// The repair engine's speed: RepairLine over real Thai lines from the message
// catalogues, clean (the quick test that lets them through), garbled in the
// lossless kinds, and with bytes lost (U+FFFD), beside memcpy and iconv's UTF-8 to UTF-8 over the same bytes.
// Before anything is timed, each garbled input is repaired once and the share
// of lines that come back exactly is printed, so that the speed is that of the
// real work.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue_corpus.h"
#include "garble.h"
#include "repair.h"

namespace {

constexpr size_t kCleanBytes = 16 << 20;
constexpr size_t kGarbledBytes = 2 << 20;

struct Lines {
    std::string text;                 // the lines, each ended by LF
    std::vector<std::string_view> lines;
    std::vector<std::string> originals;
};

Lines MakeLines(const std::vector<std::string>& corpus, size_t bytes,
                std::string (*garble)(std::string_view)) {
    Lines l;
    for (size_t i = 0; l.text.size() < bytes; i = (i + 1) % corpus.size()) {
        l.text += garble ? garble(corpus[i]) : corpus[i];
        l.text += '\n';
        l.originals.push_back(corpus[i]);
    }
    for (size_t p = 0; p < l.text.size();) {
        const size_t nl = l.text.find('\n', p);
        l.lines.emplace_back(l.text.data() + p, nl - p);
        p = nl + 1;
    }
    return l;
}

void RegisterRepair(const std::string& name, const Lines& input) {
    size_t exact = 0;
    for (size_t i = 0; i < input.lines.size(); ++i) {
        const RepairedLine r = RepairLine(input.lines[i]);
        exact += (r.kind == kRepairNone ? std::string(input.lines[i]) : r.text) == input.originals[i];
    }
    std::fprintf(stderr, "%-24s %8zu lines, %6.2f%% as the original after RepairLine\n", name.c_str(),
                 input.lines.size(), 100.0 * exact / input.lines.size());
    const Lines* in = &input;
    benchmark::RegisterBenchmark(("RepairLine/" + name + "/ours").c_str(), [in](benchmark::State& state) {
        for (auto _ : state) {
            for (std::string_view line : in->lines) benchmark::DoNotOptimize(RepairLine(line));
        }
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in->text.size()));
    })->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark(("RepairLine/" + name + "/iconv-utf8").c_str(), [in](benchmark::State& state) {
        iconv_t cd = iconv_open("UTF-8", "UTF-8");
        std::string out(in->text.size(), '\0');
        for (auto _ : state) {
            char* src = const_cast<char*>(in->text.data());
            char* dst = out.data();
            size_t srcLeft = in->text.size(), dstLeft = out.size();
            iconv(cd, &src, &srcLeft, &dst, &dstLeft);
            benchmark::DoNotOptimize(out.data());
        }
        iconv_close(cd);
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in->text.size()));
    })->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark(("RepairLine/" + name + "/memcpy").c_str(), [in](benchmark::State& state) {
        std::string out(in->text.size(), '\1');
        for (auto _ : state) {
            std::memcpy(out.data(), in->text.data(), in->text.size());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * in->text.size()));
    })->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const std::vector<std::string> corpus = ThaiCorpus();
    if (corpus.empty()) {
        std::fprintf(stderr, "no Thai catalogues: run scripts/setup.sh\n");
        return 1;
    }
    static const Lines clean = MakeLines(corpus, kCleanBytes, nullptr);
    static const Lines kind1 = MakeLines(corpus, kGarbledBytes, [](std::string_view s) {
        return GarbleCp874Through(s, kPageWindows1252);
    });
    static const Lines kind3 = MakeLines(corpus, kGarbledBytes, [](std::string_view s) {
        return GarbleUtf8Through(s, kPageWindows874);
    });
    static const Lines kind4 = MakeLines(corpus, kGarbledBytes, [](std::string_view s) {
        return GarbleUtf8Through(s, kPageWindows1252);
    });
    static const Lines kind6 = MakeLines(corpus, kGarbledBytes / 4, [](std::string_view s) {
        return GarbleUtf8ThroughCp874Lossy(s, true);
    });
    RegisterRepair("clean-thai", clean);
    RegisterRepair("cp874-as-1252", kind1);
    RegisterRepair("utf8-as-cp874", kind3);
    RegisterRepair("utf8-as-1252", kind4);
    RegisterRepair("utf8-as-cp874-lossy", kind6);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
