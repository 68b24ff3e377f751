#pragma once

#include <span>
#include <string_view>

namespace klankflits
{

// A built-in set of real words: its short key for links and the command line,
// the caption a teacher recognises, the short name the exercise window's title
// gives it, and its words (lower case, each once).
struct WordSet {
    std::string_view key;
    std::string_view caption;
    std::string_view name;
    std::span<const std::string_view> words;
};

// The built-in sets in the reading methods' order: one vowel sound between
// single consonants first, then clusters, -ng/-nk and two syllables.
std::span<const WordSet> word_sets();

} // namespace klankflits
