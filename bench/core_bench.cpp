// Throughput of every conversion of the core on 16 MiB of Thai and of ASCII
// prose, beside the converters a user would otherwise pick and memcpy, all in
// one run. Every peer's output is checked equal to ours before it is timed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "corpus.h"
#include "cp874.h"
#include "escapes.h"
#include "peers/peers.h"

namespace {

constexpr size_t kInputBytes = size_t{16} << 20;

struct Inputs {
    ByteText thaiBytes, asciiBytes;
    UnitText thaiUnits, asciiUnits;
    UnitText percentThai, entitiesThai, percentAscii, entitiesAscii;
    UnitText byteViewThai;
    char16_t ansiUnits[256];
};

Inputs g_in;
IcuPeer g_icu;
IconvPeer g_iconv;

UnitText Decoded(const ByteText& bytes) {
    UnitText out(bytes.size(), u'\0');
    Cp874ToUtf16(bytes.data(), bytes.size(), out.data());
    return out;
}

// The first `units` units of the encoder's output over the start of `text`.
template <typename Encoder>
UnitText EncodedPrefix(Encoder encode, size_t perInput, size_t units) {
    UnitText out(perInput * units, u'\0');
    out.resize(encode(units, out.data()));
    out.resize(std::min(out.size(), units));
    return out;
}

void MakeInputs() {
    g_in.thaiBytes = ThaiProse(kInputBytes);
    g_in.asciiBytes = AsciiProse(kInputBytes);
    g_in.thaiUnits = Decoded(g_in.thaiBytes);
    g_in.asciiUnits = Decoded(g_in.asciiBytes);
    // The decoder's inputs are the encoders' outputs, cut at 16 MiB.
    const size_t units = kInputBytes / sizeof(char16_t);
    auto percentOf = [](const ByteText& bytes) {
        return [&bytes](size_t n, char16_t* out) { return Cp874ToPercent(bytes.data(), n / 3 + 1, out); };
    };
    auto entitiesOf = [](const UnitText& text) {
        return [&text](size_t n, char16_t* out) { return Utf16ToEntities(text.data(), n / 4 + 1, out); };
    };
    g_in.percentThai = EncodedPrefix(percentOf(g_in.thaiBytes), 2, units);
    g_in.percentAscii = EncodedPrefix(percentOf(g_in.asciiBytes), 2, units);
    g_in.entitiesThai = EncodedPrefix(entitiesOf(g_in.thaiUnits), 3, units);
    g_in.entitiesAscii = EncodedPrefix(entitiesOf(g_in.asciiUnits), 3, units);
    // The byte view under a Latin-1-like ANSI code page: byte b is U+00bb.
    for (int b = 0; b < 256; ++b) g_in.ansiUnits[b] = static_cast<char16_t>(b);
    g_in.byteViewThai.assign(g_in.thaiBytes.begin(), g_in.thaiBytes.end());
}

// ---- registration ----

std::vector<std::string> g_failures;

void Register(const std::string& name, size_t inputBytes, std::function<void()> body,
              std::string error = {}) {
    benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            return;
        }
        for (auto _ : state) {
            body();
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * inputBytes));
    })->Unit(benchmark::kMillisecond)->UseRealTime();
}

// A destination, touched once so that page faults stay out of the timing.
template <typename T>
std::vector<T>& Buffer(size_t n) {
    static std::deque<std::vector<T>> buffers;  // grows without moving what it holds
    buffers.emplace_back(n, T{1});
    return buffers.back();
}

std::string Check(bool same, const std::string& what) {
    if (same) return {};
    std::string e = what + ": output differs from ours";
    g_failures.push_back(e);
    return e;
}

void RegisterMemcpy(const std::string& row, const void* data, size_t bytes) {
    auto& dst = Buffer<unsigned char>(bytes);
    Register(row + "/memcpy", bytes, [&dst, data, bytes] { std::memcpy(dst.data(), data, bytes); });
}

void RegisterDecode(const std::string& input, const ByteText& bytes) {
    const std::string row = "Cp874ToUtf16/" + input;
    const size_t n = bytes.size();
    auto& ours = Buffer<char16_t>(n);
    Register(row + "/ours", n, [&, n] { Cp874ToUtf16(bytes.data(), n, ours.data()); });
    Cp874ToUtf16(bytes.data(), n, ours.data());

    auto& icu = Buffer<char16_t>(n + 1);
    long got = g_icu.Decode(bytes.data(), n, icu.data(), icu.size());
    Register(row + "/icu", n, [&, n] { g_icu.Decode(bytes.data(), n, icu.data(), icu.size()); },
             Check(got == long(n) && std::equal(ours.begin(), ours.end(), icu.begin()), row + " icu"));

    auto& iconv = Buffer<char16_t>(n);
    got = g_iconv.Decode(bytes.data(), n, iconv.data(), iconv.size());
    Register(row + "/iconv", n, [&, n] { g_iconv.Decode(bytes.data(), n, iconv.data(), iconv.size()); },
             Check(got == long(n) && iconv == ours, row + " iconv"));
    RegisterMemcpy(row, bytes.data(), n);
}

void RegisterEncode(const std::string& input, const UnitText& text, const ByteText& expected) {
    const std::string row = "Utf16ToCp874/" + input;
    const size_t n = text.size();
    const size_t inBytes = n * sizeof(char16_t);
    auto& ours = Buffer<unsigned char>(n);
    Utf16ToCp874(text.data(), n, ours.data());
    Register(row + "/ours", inBytes, [&, n] { Utf16ToCp874(text.data(), n, ours.data()); },
             Check(ours == expected, row + " ours against the generated bytes"));

    auto& icu = Buffer<unsigned char>(n + 1);
    long got = g_icu.Encode(text.data(), n, icu.data(), icu.size());
    Register(row + "/icu", inBytes, [&, n] { g_icu.Encode(text.data(), n, icu.data(), icu.size()); },
             Check(got == long(n) && std::equal(ours.begin(), ours.end(), icu.begin()), row + " icu"));

    auto& iconv = Buffer<unsigned char>(n);
    got = g_iconv.Encode(text.data(), n, iconv.data(), iconv.size());
    Register(row + "/iconv", inBytes, [&, n] { g_iconv.Encode(text.data(), n, iconv.data(), iconv.size()); },
             Check(got == long(n) && iconv == ours, row + " iconv"));
    RegisterMemcpy(row, text.data(), inBytes);
}

void RegisterElevate(const std::string& input, const ByteText& bytes) {
    const std::string row = "ElevateToneMarks/" + input;
    const size_t n = bytes.size();
    auto& work = Buffer<unsigned char>(n);
    // In place: each round starts again from the unelevated text, copied
    // outside the timing.
    benchmark::RegisterBenchmark((row + "/ours").c_str(), [&work, &bytes, n](benchmark::State& state) {
        for (auto _ : state) {
            state.PauseTiming();
            std::memcpy(work.data(), bytes.data(), n);
            state.ResumeTiming();
            ElevateToneMarks(work.data(), n);
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * n));
    })->Unit(benchmark::kMillisecond)->UseRealTime();
    RegisterMemcpy(row, bytes.data(), n);
}

void RegisterEntities(const std::string& input, const UnitText& text, bool withIcu) {
    const std::string row = "Utf16ToEntities/" + input;
    const size_t n = text.size();
    auto& ours = Buffer<char16_t>(kEntityUnitsPerUnit * n);
    Register(row + "/ours", n * sizeof(char16_t),
             [&, n] { Utf16ToEntities(text.data(), n, ours.data()); });
    if (withIcu) {
        // ICU writes ASCII as it stands and references only for what US-ASCII
        // lacks; on Thai letters alone both write the same.
        UnitText letters;
        for (char16_t u : text) {
            if (u >= 0x0E00 && letters.size() < (1u << 20)) letters += u;
        }
        UnitText mine(kEntityUnitsPerUnit * letters.size(), u'\0');
        mine.resize(Utf16ToEntities(letters.data(), letters.size(), mine.data()));
        std::string theirs(10 * letters.size(), '\0');
        long got = g_icu.XmlDecimal(letters.data(), letters.size(), theirs.data(), theirs.size());
        bool same = got == long(mine.size()) && std::equal(mine.begin(), mine.end(), theirs.begin());
        auto& icu = Buffer<char>(10 * n);
        Register(row + "/icu-xml-decimal", n * sizeof(char16_t),
                 [&, n] { g_icu.XmlDecimal(text.data(), n, icu.data(), icu.size()); },
                 Check(same, row + " icu on Thai letters"));
    }
    RegisterMemcpy(row, text.data(), n * sizeof(char16_t));
}

void RegisterPercent(const std::string& input, const ByteText& bytes) {
    const std::string row = "Cp874ToPercent/" + input;
    const size_t n = bytes.size();
    auto& ours = Buffer<char16_t>(kPercentUnitsPerByte * n);
    Register(row + "/ours", n, [&, n] { Cp874ToPercent(bytes.data(), n, ours.data()); });
    RegisterMemcpy(row, bytes.data(), n);
}

void RegisterDecodeEscapes(const std::string& input, const UnitText& text) {
    const std::string row = "EscapesToUtf16/" + input;
    const size_t n = text.size();
    auto& ours = Buffer<char16_t>(n);
    Register(row + "/ours", n * sizeof(char16_t),
             [&, n] { EscapesToUtf16(text.data(), n, ours.data()); });
    RegisterMemcpy(row, text.data(), n * sizeof(char16_t));
}

void RegisterByteView(const std::string& input, const UnitText& text) {
    const std::string row = "ByteViewToUtf16/" + input;
    const size_t n = text.size();
    auto& ours = Buffer<char16_t>(n);
    Register(row + "/ours", n * sizeof(char16_t),
             [&, n] { ByteViewToUtf16(text.data(), n, g_in.ansiUnits, ours.data()); });
    RegisterMemcpy(row, text.data(), n * sizeof(char16_t));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!g_icu.Open() || !g_iconv.Open()) {
        std::fprintf(stderr, "cannot open the ICU or iconv converters\n");
        return 1;
    }
    MakeInputs();
    std::fprintf(stderr, "inputs: %zu MiB each; Thai prose has %.1f%% Thai letters\n",
                 kInputBytes >> 20, 100 * ThaiShare(g_in.thaiBytes));

    RegisterDecode("thai", g_in.thaiBytes);
    RegisterDecode("ascii", g_in.asciiBytes);
    RegisterEncode("thai", g_in.thaiUnits, g_in.thaiBytes);
    RegisterEncode("ascii", g_in.asciiUnits, g_in.asciiBytes);
    RegisterElevate("thai", g_in.thaiBytes);
    RegisterEntities("thai", g_in.thaiUnits, true);
    RegisterEntities("ascii", g_in.asciiUnits, false);
    RegisterPercent("thai", g_in.thaiBytes);
    RegisterPercent("ascii", g_in.asciiBytes);
    RegisterDecodeEscapes("percent-thai", g_in.percentThai);
    RegisterDecodeEscapes("entities-thai", g_in.entitiesThai);
    RegisterDecodeEscapes("percent-ascii", g_in.percentAscii);
    RegisterDecodeEscapes("entities-ascii", g_in.entitiesAscii);
    RegisterDecodeEscapes("plain-thai", g_in.thaiUnits);
    RegisterByteView("thai", g_in.byteViewThai);

    for (const auto& f : g_failures) std::fprintf(stderr, "CHECK FAILED: %s\n", f.c_str());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return g_failures.empty() ? 0 : 1;
}
