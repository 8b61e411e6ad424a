// SPDX-License-Identifier: GPL-3.0-or-later
// Converts GCIDE's dictd database as gcide-convert does and times it next to its floor, reading and decompressing
// the same file alone. Prints the median of the runs (wall clock and processor time), the counts, the size of the
// data file and the peak memory.
//
//     ./BenchGcideConvert PATH/gcide.dict.dz [runs]
// scripts/update-dictionary leaves no copy of the database; unpack one with
//     apt-get download dict-gcide && dpkg-deb -x dict-gcide_*.deb x    (x/usr/share/dictd/gcide.dict.dz)

#include "BenchSupport.h"
#include "GcideConverter.h"
#include "GzipFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

struct Timing {
    QList<double> wall;
    QList<double> cpu;
};

template <typename Work> void timeRun(Timing& timing, Work work) {
    const auto wallStart = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    work();
    timing.cpu << double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    timing.wall << std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: BenchGcideConvert PATH/gcide.dict.dz [runs]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    Timing floor;
    Timing whole;
    std::size_t bytes = 0;
    GcideConverter::Stats stats;
    for (int run = 0; run < runs; ++run) {
        std::string text;
        std::string error;
        // 1. The floor: the database read and decompressed, nothing else.
        timeRun(floor, [&] {
            if (!GzipFile::read(path, text, error)) {
                std::fprintf(stderr, "BenchGcideConvert: %s\n", error.c_str());
                std::exit(1);
            }
        });
        // 2. What gcide-convert does before writing: read, find the entries, parse, sort, make the text.
        timeRun(whole, [&] {
            GzipFile::read(path, text, error);
            GcideConverter converter;
            converter.add(text);
            bytes = converter.dictionaryText({"header"}).size();
            stats = converter.stats();
        });
    }
    std::printf("runs %d (medians)\n", runs);
    std::printf("read and decompress (floor): wall %.3f s, cpu %.3f s\n", median(floor.wall), median(floor.cpu));
    std::printf("whole conversion:            wall %.3f s, cpu %.3f s\n", median(whole.wall), median(whole.cpu));
    std::printf("distinct headwords %d, marked %d, unmarked %d, with a boundary %d, forms %d, mismatches kept %d, "
                "skipped %d\n",
                stats.headwords, stats.marked, stats.unmarked, stats.withBoundary, stats.forms, stats.mismatchesKept,
                stats.mismatchesDropped);
    std::printf("data file %zu bytes, peak memory %ld MB\n", bytes, peakMemoryMb());
    return 0;
}
