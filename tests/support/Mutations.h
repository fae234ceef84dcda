#pragma once
// Deterministic damage for robustness tests: texts cut short, lines deleted,
// duplicated or swapped, numbers replaced by garbage or by values far out of range,
// empty, overlong and non-ASCII lines. Every mutant carries a description of what was
// done to it, so a failing case can be rebuilt by hand. Header-only, for every layer.

#include "project/InputError.h"
#include "project/TextLines.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>
#include <random>
#include <typeinfo>

namespace penumbro::mutation {

// A damaged text and what was done to it, for failure messages.
struct Mutant { std::string how; Lines lines; };

// Values a number may be replaced by: unreadable, huge, tiny, negative, overflowing.
inline const std::vector<std::string>& garbageNumbers() {
    static const std::vector<std::string> values = {
        "", "x", "1e308", "-1e308", "1e-320", "nan", "inf", "-inf", "-1", "-5", "0", "-0", "13", "10001", "1e5", "+-1",
        "--2", "0x10", "1,5", "1.2.3", "2147483648", "-2147483649", "99999999999999999999", "1e30", "4e9", "\xE4",
        "12a", "+", "-", ".", "e5", "999"};
    return values;
}

// Lines that may be inserted or replace another line.
inline const std::vector<std::string>& strangeLines() {
    static const std::vector<std::string> values = {
        "", " ", "*", "#", "Target", "Baum", "Frontseite", "Horizont", "Standort", "Bodenreflexion", "Belaubung",
        "Belaubung 999-99999999999999999999999999999999", "$#", "$#999Vordach", "$#-1x", "0", "-1", "12", "13",
        "10000", "10001", "2147483647", "1e308 1e308 1e308", "-1e308 1e308 -1e308", "1e200 -1e200 1e200",
        "nan nan nan", "1 2", "1 2 3 4 5 6 7 8 9 10 11 12 13", "0-360=90", "360-0=-90", "1e308-1e308=1e308", "-=",
        "=", "90.0 180.0 12.0", "1e308 -1e308 1e308", "100100100100100100100100100100100100",
        "-1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1", "\xE4\xF6\xFC\xDF\xFF\x80", std::string("a\0b", 3), "\r", "\t1\t2\t3",
        "# 1e308  1e308  1e308  1e308  1e308  1e308  1e308  1e308     #Haus: x",
        "# nan  nan  nan  nan  nan  nan     #Baum: x", "# -1.000  -1.000  -1.000  -1.000  -1.000  -1.000     #Baum: x",
        "# 0.000  0.000  0.000  0.000  0.000  0.000  0.000  0.000     #Haus: x",
    };
    return values;
}

// Positions and lengths of the tokens holding a digit, split at blanks, '-', '=' and '#'.
inline std::vector<std::pair<std::size_t, std::size_t>> numberTokens(const std::string& line) {
    std::vector<std::pair<std::size_t, std::size_t>> out;
    const auto isSep = [](char c) { return c == ' ' || c == '-' || c == '=' || c == '#'; };
    const auto at = [&line](std::size_t k) { return line.begin() + static_cast<std::ptrdiff_t>(k); };
    for (std::size_t start = 0, j = 0; j <= line.size(); ++j) {
        if (j < line.size() && !isSep(line[j])) continue;
        if (std::any_of(at(start), at(j), [](char c) { return c >= '0' && c <= '9'; })) out.emplace_back(start, j - start);
        start = j + 1;
    }
    return out;
}

// Applies one random mutation to text and appends its description to how.
inline void mutateOnce(std::mt19937& rng, Lines& text, std::string& how) {
    const auto below = [&rng](std::size_t n) {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const auto pick = [&below](const std::vector<std::string>& v) -> const std::string& { return v[below(v.size())]; };
    const std::size_t n = text.size(), i = below(n);
    const auto it = text.begin() + static_cast<std::ptrdiff_t>(i);
    const std::string at = " @" + std::to_string(i + 1);
    switch (below(11)) {
        case 0: text.resize(i), how += " cut" + at; return;  // cut the text after line i
        case 1: if (n) { text.erase(it); } how += " delete" + at; return;
        case 2: if (n) { text.insert(it, text[i]); } how += " duplicate" + at; return;
        case 3: {
            const std::size_t j = below(n);
            if (n) std::swap(text[i], text[j]);
            how += " swap" + at + "," + std::to_string(j + 1);
            return;
        }
        case 4:
        case 5: {  // replace a number by garbage
            const auto tokens = n ? numberTokens(text[i]) : decltype(numberTokens("")){};
            if (tokens.empty()) return;
            const auto [pos, len] = tokens[below(tokens.size())];
            const std::string& g = pick(garbageNumbers());
            text[i].replace(pos, len, g), how += " number" + at + "=" + g;
            return;
        }
        case 6: text.insert(it, pick(strangeLines())), how += " insert" + at; return;
        case 7: if (n) { text[i] = pick(strangeLines()); } how += " replace" + at; return;
        case 8: if (n && !text[i].empty()) { text[i].resize(below(text[i].size())); } how += " shorten" + at; return;
        case 9: if (n) { text[i] += std::string(20000, below(2) ? '9' : 'x'); } how += " long" + at; return;
        default: {  // non-ASCII and control bytes
            if (!n) return;
            static const char bytes[] = {'\xE4', '\xFF', '\x80', '\0', '\r', '\t', '\x1A'};
            const std::size_t pos = below(text[i].size() + 1);
            text[i].insert(pos, 1, bytes[below(sizeof bytes)]), how += " byte" + at;
            return;
        }
    }
}

// Every prefix of the text (cut after 0, 1, .. size - 1 lines), then count random
// mutants of one to three steps each.
inline std::vector<Mutant> mutants(const Lines& base, std::uint32_t stream, int count) {
    std::vector<Mutant> out;
    for (std::size_t k = 0; k < base.size(); ++k)
        out.push_back({"first " + std::to_string(k) + " lines", Lines(base.begin(), base.begin() + static_cast<std::ptrdiff_t>(k))});
    std::mt19937 rng(stream);
    for (int k = 0; k < count; ++k) {
        Mutant& mutant = out.emplace_back(Mutant{"", base});
        for (auto steps = 1 + std::uniform_int_distribution<std::size_t>(0, 2)(rng); steps > 0; --steps)
            mutateOnce(rng, mutant.lines, mutant.how);
    }
    return out;
}

// Lines of a file in the source tree.
inline Lines sourceFile(const std::string& relative) {
    return splitLines(testing::TempDir::readFile(std::string(PENUMBRO_SOURCE_DIR) + "/" + relative));
}

// Runs f; success and an InputError that names the file (or a line or field in its
// message) pass, anything else is a test failure naming the mutant.
inline void expectCleanOutcome(const Mutant& m, const std::string& file, const std::function<void()>& f) {
    try {
        f();
    } catch (const InputError& e) {
        EXPECT_FALSE(e.message().empty()) << m.how;
        EXPECT_TRUE(file.empty() || e.file() == file) << m.how << ": " << e.what();
    } catch (const std::exception& e) {
        ADD_FAILURE() << m.how << ": unexpected " << typeid(e).name() << ": " << e.what();
    } catch (...) {
        ADD_FAILURE() << m.how << ": unexpected non-standard exception";
    }
}

}  // namespace penumbro::mutation
