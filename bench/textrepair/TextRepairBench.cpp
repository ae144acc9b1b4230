// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the repair of garbled tag texts on the labelled set that make_labelled_set.py
// writes: per kind of damage and per split, how many fields were repaired right, missed,
// repaired wrong, and how many clean fields were altered; then the time per field. Printed, never
// asserted. Usage: bench_textrepair [labelled-set.tsv] (default: runs the generator); for the
// dictionary-word stress split: make_labelled_set.py --dictionary-words > set.tsv first.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "textrepair/TextRepair.h"

namespace {

struct Case {
    std::string split, kind, field, input, expected;
};

struct Tally {
    int total = 0, right = 0, missed = 0, wrong = 0;
};

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::vector<Case> Load(std::istream& in) {
    std::vector<Case> cases;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Case c;
        std::getline(fields, c.split, '\t');
        std::getline(fields, c.kind, '\t');
        std::getline(fields, c.field, '\t');
        std::getline(fields, c.input, '\t');
        std::getline(fields, c.expected, '\t');
        if (c.field == "v1")
            c.input = FromHex(c.input);
        cases.push_back(std::move(c));
    }
    return cases;
}

std::string Generated() {
    const std::string command =
        "python3 " KIVUNA_SOURCE_DIR "/bench/textrepair/make_labelled_set.py";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    char buffer[65536];
    for (size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        text.append(buffer, n);
    return text;
}

// A field is clean when it reads as it should already: then any change is an alteration.
bool IsClean(const Case& c) {
    return c.kind == "clean" || c.kind == "v1-latin1" || c.kind == "v1-1251";
}

} // namespace

int main(int argc, char** argv) {
    using namespace kivuna::textrepair;
    std::vector<Case> cases;
    if (argc > 1) {
        std::ifstream file(argv[1]);
        cases = Load(file);
    } else {
        std::istringstream text(Generated());
        cases = Load(text);
    }
    std::map<std::string, std::map<std::string, Tally>> tallies; // split -> kind -> tally
    const bool verbose = std::getenv("KIVUNA_BENCH_VERBOSE") != nullptr;
    for (const Case& c : cases) {
        std::string reading;
        bool changed = false;
        if (c.field == "v2") {
            const auto repaired = RepairedText(c.input);
            changed = repaired.has_value();
            reading = repaired.value_or(c.input);
        } else {
            reading = Id3v1Reading(c.input);
            changed = reading != c.expected;
        }
        Tally& t = tallies[c.split][c.kind];
        ++t.total;
        if (reading == c.expected) {
            ++t.right;
        } else if (!changed) {
            ++t.missed;
        } else {
            ++t.wrong;
        }
        if (verbose && reading != c.expected)
            std::cout << c.split << ' ' << c.kind << ": " << (c.field == "v1" ? "" : c.input)
                      << " -> " << reading << "  (want " << c.expected << ")\n";
    }
    for (const auto& [split, kinds] : tallies) {
        std::printf("\n%s split\n%-18s %6s %8s %7s %6s\n", split.c_str(), "kind", "fields", "right",
                    "missed", "wrong");
        Tally damaged, clean;
        for (const auto& [kind, t] : kinds) {
            std::printf("%-18s %6d %8d %7d %6d\n", kind.c_str(), t.total, t.right, t.missed,
                        t.wrong);
            Tally& sum = IsClean(Case{split, kind, "", "", ""}) ? clean : damaged;
            sum.total += t.total, sum.right += t.right, sum.missed += t.missed,
                sum.wrong += t.wrong;
        }
        std::printf("damaged fields: %d, repaired right %.2f %%, missed %d, repaired wrong %d\n",
                    damaged.total, 100.0 * damaged.right / damaged.total, damaged.missed,
                    damaged.wrong);
        std::printf("clean fields: %d, altered %d (%.2f %%)\n", clean.total,
                    clean.total - clean.right, 100.0 * (clean.total - clean.right) / clean.total);
    }

    // Time per field, over the whole set, a few rounds.
    const auto start = std::chrono::steady_clock::now();
    size_t fields = 0, sink = 0;
    for (int round = 0; round < 5; ++round)
        for (const Case& c : cases) {
            sink +=
                c.field == "v2" ? RepairedText(c.input).has_value() : Id3v1Reading(c.input).size();
            ++fields;
        }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("\ntime per field: %.2f us over %zu fields (%zu)\n", seconds * 1e6 / fields, fields,
                sink);
}
