#pragma once

#include <array>
#include <string>
#include <string_view>

namespace klankflits::testing
{

// A word's structure as the reading methods write it: one letter per sound.
//   k  a vowel sound: a e i o u y; the long aa ee oo uu; the two-letter ui ei ij
//      ou au eu oe ie. The later letter groups aai ooi oei eeuw ieuw uw ouw auw
//      are one vowel sound too, so "haai" and "vrouw" end in k and fit no set.
//   m  a consonant sound: one letter, or "ch". "sch" is s + ch, two sounds, as
//      the methods count it in mmkm (schip, school).
//   N  "ng" or "nk" at any place: the methods teach them as one letter group in
//      a step of their own, so bank is mkN, never mkmm.
//   ?  anything else (capitals, accents, digits), which no set's pattern has.
// Vowel groups are matched longest first.
inline constexpr std::array<std::string_view, 28> vowel_groups = {
    "eeuw", "ieuw", "aai", "ooi", "oei", "ouw", "auw", "eeu", "ieu", "aa", "ee", "oo", "uu", "ie",
    "oe",   "eu",   "ui",  "ei",  "ij",  "ou",  "au",  "uw",  "a",   "e",  "i",  "o",  "u",  "y"};

enum class VowelKind { Short, Long, TwoLetter, Later };

struct Sounds {
    std::string classes;     // "mkm"
    std::string first_vowel; // "a", or empty without a vowel
};

inline Sounds sounds(std::string_view word)
{
    Sounds out;
    std::size_t i = 0;
    while (i < word.size()) {
        const std::string_view rest = word.substr(i);
        bool vowel = false;
        for (std::string_view group : vowel_groups) {
            if (rest.starts_with(group)) {
                if (out.first_vowel.empty())
                    out.first_vowel = group;
                out.classes += 'k';
                i += group.size();
                vowel = true;
                break;
            }
        }
        if (vowel)
            continue;
        if (rest.starts_with("ng") || rest.starts_with("nk")) {
            out.classes += 'N';
            i += 2;
        } else if (rest.starts_with("ch")) {
            out.classes += 'm';
            i += 2;
        } else {
            out.classes += rest[0] >= 'a' && rest[0] <= 'z' ? 'm' : '?';
            ++i;
        }
    }
    return out;
}

inline VowelKind vowel_kind(std::string_view group)
{
    if (group.size() == 1)
        return VowelKind::Short;
    if (group == "aa" || group == "ee" || group == "oo" || group == "uu")
        return VowelKind::Long;
    if (group.size() == 2 && group != "uw")
        return VowelKind::TwoLetter;
    return VowelKind::Later;
}

} // namespace klankflits::testing
