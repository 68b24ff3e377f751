#include "engine/exercise_state.h"
#include "engine/syllables.h"
#include "support/expected_syllables.h"
#include "support/recording_view.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <string>

namespace klankflits
{
namespace
{

using testing::RecordingView;

using testing::expected_clusters;
using testing::expected_vowels;
using testing::valid_syllables;

TEST(SyllableTables, HoldTheMaterialInTableOrderWithSlotZeroEmpty)
{
    SyllableTables tables;
    init_tables(tables);

    EXPECT_EQ(tables.vowel_count, 16);
    EXPECT_EQ(tables.cluster_count, 23);
    EXPECT_EQ(tables.vowels[0], "");
    EXPECT_EQ(tables.clusters[0], "");
    for (std::size_t i = 0; i < expected_vowels.size(); ++i)
        EXPECT_EQ(tables.vowels[i + 1], expected_vowels[i]) << "vowel slot " << i + 1;
    for (std::size_t slot = 17; slot <= 20; ++slot)
        EXPECT_EQ(tables.vowels[slot], "") << "vowel slot " << slot;
    for (std::size_t i = 0; i < expected_clusters.size(); ++i)
        EXPECT_EQ(tables.clusters[i + 1], expected_clusters[i]) << "cluster slot " << i + 1;
}

TEST(StateInitialisation, SetsDefaultsAndRestartsCounters)
{
    Module1 module(7);
    module.state = {5, 6, 7, 8, 9};
    init_state(module);

    EXPECT_EQ(module.state.interval_ms, 2000);
    EXPECT_EQ(module.state.speed_step_ms, 100);
    EXPECT_EQ(module.state.elapsed_ms, 1);
    EXPECT_EQ(module.state.flash_count, 0);
    EXPECT_EQ(module.state.series_count, 0);
    EXPECT_EQ(module.tables.clusters[13], "sch");
}

class PickSyllable : public ::testing::Test
{
protected:
    Module1 module{12345};
    RecordingView view;
    void SetUp() override { init_state(module); }

    // Splits a syllable into its cluster and vowel by the indices just drawn.
    std::pair<std::string, std::string> drawn_parts() const
    {
        return {module.tables.clusters[static_cast<std::size_t>(module.tables.cluster_index)],
                module.tables.vowels[static_cast<std::size_t>(module.tables.vowel_index)]};
    }
};

TEST_F(PickSyllable, EveryCaptionIsClusterThenVowelFromTheDrawnSlots)
{
    const auto& valid = valid_syllables();
    ASSERT_EQ(valid.size(), 368u);

    for (int i = 0; i < 20000; ++i) {
        pick_syllable(module, view);
        const float ci = module.tables.cluster_index;
        const float vi = module.tables.vowel_index;
        ASSERT_EQ(ci, std::floor(ci));
        ASSERT_GE(ci, 1.0f);
        ASSERT_LE(ci, 23.0f);
        ASSERT_GE(vi, 1.0f);
        ASSERT_LE(vi, 16.0f);
        const auto [cluster, vowel] = drawn_parts();
        ASSERT_EQ(view.txt_string, cluster + vowel);
        ASSERT_TRUE(valid.count(view.txt_string)) << view.txt_string;
    }
    EXPECT_EQ(view.syllables_drawn, 20000);
}

TEST_F(PickSyllable, LeavesVisibilityAloneAndReplacesTheCaptionEachCall)
{
    view.txt_string_shown = false;
    pick_syllable(module, view);
    pick_syllable(module, view);
    EXPECT_FALSE(view.txt_string_shown);
    view.txt_string_shown = true;
    pick_syllable(module, view);
    EXPECT_TRUE(view.txt_string_shown);
    EXPECT_EQ(view.log.size(), 3u);
}

// Chi-square statistic of observed counts against a uniform share.
template <typename Map> double chi_square(const Map& counts, std::size_t categories, double draws)
{
    const double expected = draws / static_cast<double>(categories);
    double chi2 = 0.0;
    for (const auto& [key, observed] : counts)
        chi2 += (observed - expected) * (observed - expected) / expected;
    // Categories that never turned up count too.
    chi2 += static_cast<double>(categories - counts.size()) * expected;
    return chi2;
}

TEST_F(PickSyllable, ClustersAndVowelsAreUniformAndIndependent)
{
    constexpr int draws = 184000; // 500 per syllable
    std::map<float, int> clusters, vowels;
    std::map<std::pair<float, float>, int> pairs;
    for (int i = 0; i < draws; ++i) {
        pick_syllable(module, view);
        ++clusters[module.tables.cluster_index];
        ++vowels[module.tables.vowel_index];
        ++pairs[{module.tables.cluster_index, module.tables.vowel_index}];
    }
    ASSERT_EQ(clusters.size(), 23u);
    ASSERT_EQ(vowels.size(), 16u);
    ASSERT_EQ(pairs.size(), 368u);

    // Critical values far beyond p = 1e-6, so a correct generator never fails;
    // a biased draw (say one slot never or twice as often drawn) fails by far.
    EXPECT_LT(chi_square(clusters, 23, draws), 70.0); // df 22
    EXPECT_LT(chi_square(vowels, 16, draws), 60.0);   // df 15
    EXPECT_LT(chi_square(pairs, 368, draws), 560.0);  // df 367: independence
}

TEST(UnitRandom, SameSeedSameSequenceAndDefaultSeedsDiffer)
{
    UnitRandom a(99), b(99);
    for (int i = 0; i < 100; ++i) {
        const double x = a.next();
        ASSERT_EQ(x, b.next());
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
    }
    // Two generators seeded from the clock and the entropy source: a single
    // draw in common (odds of 2^-53 each) means they were seeded alike.
    UnitRandom c, d;
    int same = 0;
    for (int i = 0; i < 10; ++i)
        same += c.next() == d.next();
    EXPECT_EQ(same, 0);
}

} // namespace
} // namespace klankflits
