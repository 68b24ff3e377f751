#pragma once

#include <array>
#include <string>
#include <unordered_set>

namespace klankflits::testing
{

// The exercise material as the tests expect it, written out independently of
// the program's own tables.
inline const std::array<std::string, 16> expected_vowels = {
    "a", "e", "i", "o", "u", "ui", "eu", "aa", "oo", "ie", "ei", "au", "ee", "uu", "ij", "ou"};
inline const std::array<std::string, 23> expected_clusters = {
    "bl",  "br", "dr", "fl", "fr", "gr", "gl", "kl", "kr", "kn", "pr", "pl",
    "sch", "sl", "sm", "sn", "sp", "st", "tr", "tw", "vl", "vr", "zw"};

// All 368 syllables: every cluster followed by every vowel spelling.
inline const std::unordered_set<std::string>& valid_syllables()
{
    static const std::unordered_set<std::string> all = [] {
        std::unordered_set<std::string> syllables;
        for (const auto& cluster : expected_clusters)
            for (const auto& vowel : expected_vowels)
                syllables.insert(cluster + vowel);
        return syllables;
    }();
    return all;
}

} // namespace klankflits::testing
