#pragma once

#include "support/letter_classes.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace klankflits::testing
{

// The checks of a list of words: each names the offending words, in order, so
// that a failure shows them.
using Words = std::span<const std::string_view>;
using Found = std::vector<std::string>;
using WordFile = std::unordered_set<std::string>;

template <typename Bad> Found offenders(Words words, Bad bad)
{
    Found out;
    for (std::string_view w : words)
        if (bad(w))
            out.emplace_back(w);
    return out;
}

// One word a line; blank lines and lines starting with '#' are left out.
// Nothing if the file cannot be read.
inline std::optional<WordFile> read_word_file(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    WordFile words;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            words.insert(line);
    }
    return words;
}

inline Found missing_from(Words words, const WordFile& dictionary)
{
    return offenders(words,
                     [&](std::string_view w) { return !dictionary.contains(std::string(w)); });
}

// What a set's words look like: one of its patterns of letter classes, and the
// first vowel of one of the given kinds (any kind if none is given).
struct Shape {
    std::vector<std::string> patterns;
    std::vector<VowelKind> first_vowel = {};
};

inline Found off_shape(Words words, const Shape& shape)
{
    return offenders(words, [&](std::string_view w) {
        const Sounds s = sounds(w);
        return std::ranges::count(shape.patterns, s.classes) == 0 ||
               !(shape.first_vowel.empty() ||
                 std::ranges::count(shape.first_vowel, vowel_kind(s.first_vowel)) > 0);
    });
}

// A word that is blocked, or holds a blocked word between blanks, hyphens or
// apostrophes ("de lul"); parts are compared in lower case.
inline Found blocked(Words words, const WordFile& blocklist)
{
    return offenders(words, [&](std::string_view w) {
        std::string part;
        for (std::size_t i = 0; i <= w.size(); ++i) {
            const char c = i < w.size() ? w[i] : ' ';
            if (c != ' ' && c != '-' && c != '\'')
                part += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            else if (blocklist.contains(part))
                return true;
            else
                part.clear();
        }
        return false;
    });
}

// Words with anything but the letters a to z.
inline Found not_lower_case(Words words)
{
    return offenders(words, [](std::string_view w) {
        return w.empty() || !std::ranges::all_of(w, [](char c) { return c >= 'a' && c <= 'z'; });
    });
}

// Each word that comes again, once per repetition.
inline Found repeated(Words words)
{
    std::set<std::string_view> seen;
    return offenders(words, [&](std::string_view w) { return !seen.insert(w).second; });
}

} // namespace klankflits::testing
