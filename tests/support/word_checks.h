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

// The checks of a list of words. Each returns the offending words, in order,
// so that a failure names them.
using Words = std::span<const std::string_view>;
using WordFile = std::unordered_set<std::string>;

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

inline std::vector<std::string> missing_from(Words words, const WordFile& dictionary)
{
    std::vector<std::string> out;
    for (std::string_view w : words)
        if (!dictionary.contains(std::string(w)))
            out.emplace_back(w);
    return out;
}

// What a set's words look like: one of its patterns of letter classes, and the
// first vowel of one of the given kinds (any kind if none is given).
struct Shape {
    std::vector<std::string> patterns;
    std::vector<VowelKind> first_vowel = {};
};

inline std::vector<std::string> off_shape(Words words, const Shape& shape)
{
    std::vector<std::string> out;
    for (std::string_view w : words) {
        const Sounds s = sounds(w);
        const bool pattern = std::ranges::count(shape.patterns, s.classes) > 0;
        const bool vowel = shape.first_vowel.empty() ||
                           std::ranges::count(shape.first_vowel, vowel_kind(s.first_vowel)) > 0;
        if (!pattern || !vowel)
            out.emplace_back(w);
    }
    return out;
}

// A word that is blocked, or holds a blocked word between blanks, hyphens or
// apostrophes ("de lul"); parts are compared in lower case.
inline std::vector<std::string> blocked(Words words, const WordFile& blocklist)
{
    std::vector<std::string> out;
    for (std::string_view w : words) {
        std::string part;
        bool hit = false;
        for (std::size_t i = 0; i <= w.size(); ++i) {
            const char c = i < w.size() ? w[i] : ' ';
            if (c == ' ' || c == '-' || c == '\'') {
                hit = hit || blocklist.contains(part);
                part.clear();
            } else {
                part += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            }
        }
        if (hit)
            out.emplace_back(w);
    }
    return out;
}

// Words with anything but the letters a to z.
inline std::vector<std::string> not_lower_case(Words words)
{
    std::vector<std::string> out;
    for (std::string_view w : words)
        if (w.empty() || !std::ranges::all_of(w, [](char c) { return c >= 'a' && c <= 'z'; }))
            out.emplace_back(w);
    return out;
}

// Each word that comes again, once per repetition.
inline std::vector<std::string> repeated(Words words)
{
    std::vector<std::string> out;
    std::set<std::string_view> seen;
    for (std::string_view w : words)
        if (!seen.insert(w).second)
            out.emplace_back(w);
    return out;
}

} // namespace klankflits::testing
