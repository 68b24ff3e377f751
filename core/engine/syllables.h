#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace klankflits
{

class ExerciseView;

// The exercise material: vowel spellings and initial consonant clusters. Slot 0
// of each table stays empty; the counts say how many slots from 1 on are drawn.
struct SyllableTables {
    std::array<std::string, 21> vowels;
    std::array<std::string, 24> clusters;
    std::int16_t vowel_count = 0;
    std::int16_t cluster_count = 0;
    // The slots drawn last; whole numbers held as floats.
    float vowel_index = 0.0f;
    float cluster_index = 0.0f;
};

void init_tables(SyllableTables& tables);

// Uniform values in [0, 1). One generator lives for the whole run and is seeded
// once, from the clock and the system's entropy source, so that the two draws
// of one syllable are independent and runs differ. Tests pass a fixed seed.
class UnitRandom
{
public:
    UnitRandom();
    explicit UnitRandom(std::uint64_t seed);

    double next();

private:
    std::mt19937_64 engine_;
};

// Every syllable the exercise can show, for a shell that must know how much
// room the widest of them takes in its font.
std::vector<std::string> every_syllable();

// Draws a cluster and a vowel and puts "cluster + vowel" into txt_string. It
// never changes whether txt_string is visible.
void pick_syllable(SyllableTables& tables, UnitRandom& random, ExerciseView& view);

} // namespace klankflits
