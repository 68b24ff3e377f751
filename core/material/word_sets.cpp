#include "material/word_sets.h"

#include "material/word_lists.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace klankflits
{
namespace
{

struct Caption {
    std::string_view key;
    std::string_view caption;
    std::string_view name;
};

// m = medeklinker (consonant sound), k = klinker (vowel sound), as the methods
// write it. The name follows "ZVK van " in the exercise window's title.
constexpr std::array<Caption, 10> captions = {{
    {"mkm-kort", "mkm, korte klank (kat, vis)", "mkm-woorden met een korte klank"},
    {"mkm-lang", "mkm, lange klank (maan, boom)", "mkm-woorden met een lange klank"},
    {"mkm-tweeteken", "mkm met ui, ei, ij, ou, au, eu, oe, ie (huis, boek)",
     "mkm-woorden met een tweetekenklank"},
    {"mmkm", "mmkm, twee medeklinkers vooraan (klap, stoel)", "mmkm-woorden"},
    {"mkmm", "mkmm, twee medeklinkers achteraan (kast, wolk)", "mkmm-woorden"},
    {"mmkmm", "mmkmm, vooraan en achteraan twee (sterk, storm)", "mmkmm-woorden"},
    {"drie-medeklinkers", "drie medeklinkers op een rij (straat, herfst)",
     "woorden met drie medeklinkers"},
    {"ng-nk", "woorden op -ng en -nk (bang, bank)", "woorden op -ng en -nk"},
    {"twee-open", "twee klankgroepen, de eerste open (bomen, tafel)",
     "woorden met twee klankgroepen (open)"},
    {"twee-gesloten", "twee klankgroepen, de eerste gesloten (takken, winter)",
     "woorden met twee klankgroepen (gesloten)"},
}};

// Joins each caption to its compiled-in file by key. A file without a caption
// or a caption without a file is a build fault, reported at the first call.
std::vector<WordSet> joined()
{
    const std::span<const WordList> lists = word_lists();
    if (lists.size() != captions.size())
        throw std::logic_error("the word set files and their captions differ in number");
    std::vector<WordSet> sets;
    for (const Caption& c : captions) {
        const auto list = std::find_if(lists.begin(), lists.end(),
                                       [&](const WordList& l) { return l.key == c.key; });
        if (list == lists.end())
            throw std::logic_error("no word set file for the key " + std::string(c.key));
        sets.push_back({c.key, c.caption, c.name, list->words});
    }
    return sets;
}

} // namespace

std::span<const WordSet> word_sets()
{
    static const std::vector<WordSet> sets = joined();
    return sets;
}

} // namespace klankflits
