#include "engine/syllables.h"

#include "engine/exercise_view.h"

#include <chrono>
#include <cmath>
#include <stdexcept>
#include <string_view>

namespace klankflits
{

namespace
{

constexpr std::array<const char*, 16> vowel_spellings = {
    "a", "e", "i", "o", "u", "ui", "eu", "aa", "oo", "ie", "ei", "au", "ee", "uu", "ij", "ou"};

// Not alphabetical on purpose: "gr" before "gl", "kr" before "kn", "pr" before "pl".
constexpr std::array<const char*, 23> initial_clusters = {
    "bl",  "br", "dr", "fl", "fr", "gr", "gl", "kl", "kr", "kn", "pr", "pl",
    "sch", "sl", "sm", "sn", "sp", "st", "tr", "tw", "vl", "vr", "zw"};

std::uint64_t clock_and_entropy_seed()
{
    std::random_device device;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint32_t>(device()), static_cast<std::uint32_t>(device()),
                      static_cast<std::uint32_t>(now),
                      static_cast<std::uint32_t>(static_cast<std::uint64_t>(now) >> 32)};
    std::array<std::uint32_t, 2> words{};
    seq.generate(words.begin(), words.end());
    return (static_cast<std::uint64_t>(words[0]) << 32) | words[1];
}

// Slot numbers are whole numbers held as floats; a slot outside the table is a
// program fault, never something a user can cause.
template <std::size_t N>
const std::string& table_slot(const std::array<std::string, N>& table, float index,
                              const char* table_name)
{
    const double slot = std::nearbyint(static_cast<double>(index));
    if (!(slot >= 0.0 && slot < static_cast<double>(N)))
        throw std::out_of_range(std::string("slot outside the ") + table_name + " table");
    return table[static_cast<std::size_t>(slot)];
}

std::string_view strip_spaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace

void init_tables(SyllableTables& tables)
{
    for (std::size_t i = 0; i < vowel_spellings.size(); ++i)
        tables.vowels[i + 1] = vowel_spellings[i];
    for (std::size_t i = 0; i < initial_clusters.size(); ++i)
        tables.clusters[i + 1] = initial_clusters[i];

    tables.cluster_count = static_cast<std::int16_t>(initial_clusters.size());
    tables.vowel_count = static_cast<std::int16_t>(vowel_spellings.size());
}

std::vector<std::string> every_syllable()
{
    std::vector<std::string> syllables;
    syllables.reserve(initial_clusters.size() * vowel_spellings.size());
    for (const char* cluster : initial_clusters)
        for (const char* vowel : vowel_spellings)
            syllables.push_back(std::string(cluster) + vowel);
    return syllables;
}

UnitRandom::UnitRandom() : engine_(clock_and_entropy_seed()) {}

UnitRandom::UnitRandom(std::uint64_t seed) : engine_(seed) {}

double UnitRandom::next()
{
    // The top 53 bits as a fraction: strictly below 1, unlike some
    // implementations of generate_canonical, which can round up to 1.0.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void pick_syllable(SyllableTables& tables, UnitRandom& random, ExerciseView& view)
{
    const double r1 = random.next();
    tables.vowel_index = static_cast<float>(std::floor(r1 * tables.vowel_count + 1.0));
    const double r2 = random.next();
    tables.cluster_index = static_cast<float>(std::floor(tables.cluster_count * r2 + 1.0));

    const auto cluster = strip_spaces(table_slot(tables.clusters, tables.cluster_index, "cluster"));
    const auto vowel = strip_spaces(table_slot(tables.vowels, tables.vowel_index, "vowel"));
    std::string syllable;
    syllable.reserve(cluster.size() + vowel.size());
    syllable.append(cluster).append(vowel);
    view.set_txt_string_caption(syllable);
}

} // namespace klankflits
