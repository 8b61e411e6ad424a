// SPDX-License-Identifier: GPL-3.0-or-later
// gcide-convert: makes Parvenna's dictionary data from GCIDE's dictd database.
//     gcide-convert [--package NAME] [--command TEXT] [--stress FILE] INPUT OUTPUT
// INPUT is gcide.dict.dz (dictzip or gzip) or its plain text; OUTPUT is written whole or not at all. --package
// names the package the database came from, --command the command to name in the header as the one that made it.
// --stress also writes the single words' divisions with GCIDE's stress marks to FILE, for syllable-trainer
// --stress-file.
#include "GcideConverter.h"
#include "GzipFile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string package;
    std::string command;
    std::string stress;
    std::string input;
    std::string output;
};

bool parseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--package" && i + 1 < argc)
            options.package = argv[++i];
        else if (argument == "--command" && i + 1 < argc)
            options.command = argv[++i];
        else if (argument == "--stress" && i + 1 < argc)
            options.stress = argv[++i];
        else if (argument.starts_with("--"))
            return false;
        else
            positional.push_back(argument);
    }
    if (positional.size() != 2)
        return false;
    options.input = positional[0];
    options.output = positional[1];
    return true;
}

std::vector<std::string> headerLines(const Options& options, const std::string& sourceName) {
    const std::string source = sourceName.empty() ? "GCIDE" : "GCIDE, " + sourceName;
    return {
        "Parvenna's built-in dictionary: GCIDE's headwords with their syllable divisions and stress marks,",
        "part-of-speech labels and inflected forms. Format: see data/README.md.",
        "Source: " + source + (options.package.empty() ? "" : " (Debian package " + options.package + ")"),
        "Licence of the data: GPL-2.0-or-later, as GCIDE's.",
        "Made by: " +
            (options.command.empty() ? "gcide-convert " + options.input + " " + options.output : options.command),
    };
}

std::vector<std::string> stressHeader() {
    return {"GCIDE's single-word headwords with their divisions as GCIDE marks them: \" after a syllable of primary",
            "stress, ` after one of secondary stress, * after an unstressed one. For syllable-trainer --stress-file."};
}

bool writeWhole(const std::string& path, const std::string& text, std::string& error) {
    const std::string temporary = path + ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            error = temporary + ": cannot write";
            return false;
        }
    }
    std::error_code code;
    std::filesystem::rename(temporary, path, code);
    if (code) {
        std::remove(temporary.c_str());
        error = path + ": " + code.message();
        return false;
    }
    return true;
}

void printStats(const GcideConverter::Stats& stats, double seconds, std::size_t bytes) {
    std::fprintf(stderr,
                 "entries %d\nspellings %d\ndistinct headwords %d\nmarked %d\nunmarked %d\nwith a boundary %d\n"
                 "forms %d\nmismatches kept unmarked %d\nmismatches skipped %d\noutput bytes %zu\nseconds %.2f\n",
                 stats.entries, stats.spellings, stats.headwords, stats.marked, stats.unmarked, stats.withBoundary,
                 stats.forms, stats.mismatchesKept, stats.mismatchesDropped, bytes, seconds);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::cerr << "usage: gcide-convert [--package NAME] [--command TEXT] [--stress FILE] INPUT OUTPUT\n";
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    // 1. Read the database.
    std::string text;
    std::string error;
    if (!GzipFile::read(options.input, text, error)) {
        std::cerr << "gcide-convert: " << error << '\n';
        return 1;
    }
    // 2. Convert it.
    GcideConverter converter;
    converter.add(text);
    const std::string data = converter.dictionaryText(headerLines(options, converter.sourceName()));
    if (converter.stats().headwords == 0) {
        std::cerr << "gcide-convert: " << options.input << ": no GCIDE entries found\n";
        return 1;
    }
    // 3. Write the data file whole, and the stress file when asked for.
    if (!writeWhole(options.output, data, error) ||
        (!options.stress.empty() && !writeWhole(options.stress, converter.stressText(stressHeader()), error))) {
        std::cerr << "gcide-convert: " << error << '\n';
        return 1;
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    printStats(converter.stats(), seconds.count(), data.size());
    return 0;
}
