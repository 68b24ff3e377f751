#include "engine/exercise_state.h"
#include "engine/material.h"
#include "material/materials.h"
#include "material/word_sets.h"
#include "program/windows.h"
#include "support/engine_session.h"
#include "support/invariants.h"
#include "support/recording_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace klankflits
{
namespace
{

using testing::EngineSession;
using testing::RecordingView;

// What the program drew before there was any other material, for two seeds.
TEST(CcvDraw, WithNothingChosenIsTheDrawOfBefore)
{
    const std::map<std::uint64_t, std::vector<std::string>> drawn_before = {
        {1, {"fli", "blaa", "vlui", "braa", "smie", "sche", "gree", "greu"}},
        {20261209, {"stei", "spee", "zweu", "spa", "flo", "graa", "zwij", "smu"}},
    };
    for (const auto& [seed, syllables] : drawn_before) {
        Module1 module(seed);
        init_state(module);
        RecordingView view;
        std::vector<std::string> drawn;
        for (std::size_t i = 0; i < syllables.size(); ++i) {
            next_item(module, view);
            drawn.push_back(view.txt_string);
        }
        EXPECT_EQ(drawn, syllables) << "seed " << seed;
    }
    // The load of frm_werk draws the first of them.
    EngineSession session({1});
    EXPECT_EQ(session.view.txt_string, "fli");
    EXPECT_EQ(session.session.exercise_title(), exercise_window().caption);
    EXPECT_EQ(session.session.order(), Order::drawn_anew);
}

// The items of `count` distinct words, drawn `draws` times in `order`.
std::vector<std::size_t> drawn(std::size_t count, Order order, std::uint64_t seed,
                               std::size_t draws)
{
    std::vector<std::string> items;
    for (std::size_t i = 0; i < count; ++i)
        items.push_back(std::to_string(i));
    UnitRandom random(seed);
    SyllableTables tables;
    RecordingView view;
    ItemDraw draw(own_list_material(items), order, random);
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < draws; ++i) {
        draw.next(tables, random, view);
        out.push_back(std::stoul(view.txt_string));
    }
    return out;
}

// Every item once a round; never the same twice in a row, also where one
// round meets the next. One item can only come again and again.
TEST(ShuffledOrder, EveryItemOnceARoundAndNeverTwiceInARow)
{
    for (const std::size_t count : {1u, 2u, 3u, 500u}) {
        const std::size_t rounds = count == 500 ? 4 : 50;
        for (std::uint64_t seed = 1; seed <= (count == 500 ? 50u : 400u); ++seed) {
            const auto items = drawn(count, Order::shuffled, seed, count * rounds);
            for (std::size_t r = 0; r < rounds; ++r) {
                std::vector<std::size_t> round(items.begin() + r * count,
                                               items.begin() + (r + 1) * count);
                std::sort(round.begin(), round.end());
                for (std::size_t i = 0; i < count; ++i)
                    ASSERT_EQ(round[i], i) << count << " items, seed " << seed << ", round " << r;
            }
            if (count > 1) {
                ASSERT_EQ(std::adjacent_find(items.begin(), items.end()), items.end())
                    << count << " items, seed " << seed;
            }
        }
    }
}

// Rounds differ: each of the six orders of three items turns up about as
// often as a first round (1000 of 6000 expected; a draw that always started
// alike, or kept the listed order, fails by far).
TEST(ShuffledOrder, AnyOrderOfARoundIsAsLikely)
{
    std::map<std::vector<std::size_t>, int> first_rounds, later_rounds;
    for (std::uint64_t seed = 1; seed <= 6000; ++seed) {
        const auto items = drawn(3, Order::shuffled, seed, 6);
        ++first_rounds[{items.begin(), items.begin() + 3}];
        ++later_rounds[{items.begin() + 3, items.end()}];
    }
    ASSERT_EQ(first_rounds.size(), 6u);
    ASSERT_EQ(later_rounds.size(), 6u);
    for (const auto& [round, times] : first_rounds)
        EXPECT_NEAR(times, 1000, 150);
}

TEST(OtherOrders, AsListedFromTheTopAndDrawnAnewFromTheItems)
{
    const auto listed = drawn(3, Order::as_listed, 5, 8);
    EXPECT_EQ(listed, (std::vector<std::size_t>{0, 1, 2, 0, 1, 2, 0, 1}));
    const auto anew = drawn(3, Order::drawn_anew, 5, 3000);
    std::map<std::size_t, int> times;
    for (const std::size_t item : anew)
        ++times[item];
    ASSERT_EQ(times.size(), 3u);
    for (const auto& [item, n] : times)
        EXPECT_NEAR(n, 1000, 150) << item;
}

// The 368 syllables shuffled: each once in the first round.
TEST(OtherOrders, TheSyllablesShuffledComeEachOnceARound)
{
    EngineSession session(
        {3, default_interval_ms, default_speed_step_ms, ccv_material(), Order::shuffled});
    std::set<std::string> seen{session.view.txt_string};
    for (int i = 1; i < 368; ++i) {
        next_item(session.module, session.view);
        seen.insert(session.view.txt_string);
    }
    EXPECT_EQ(seen.size(), 368u);
}

TEST(Materials, NamedByTheirKeysWithTheirDefaultOrders)
{
    const auto choices = material_choices();
    ASSERT_EQ(choices.size(), word_sets().size() + 2);
    EXPECT_EQ(choices.front().key, "ccv");
    EXPECT_EQ(choices.back().key, "eigen");
    std::set<std::string_view> keys;
    for (const MaterialChoice& choice : choices) {
        EXPECT_TRUE(keys.insert(choice.key).second) << choice.key;
        EXPECT_FALSE(choice.caption.empty()) << choice.key;
        if (choice.key == own_list_key)
            continue;
        const auto material = material_named(choice.key);
        ASSERT_TRUE(material) << choice.key;
        EXPECT_EQ(material->key, choice.key);
        EXPECT_EQ(material->default_order,
                  choice.key == ccv_key ? Order::drawn_anew : Order::shuffled);
    }
    EXPECT_EQ(material_named("eigen"), nullptr) << "an own list comes with its items";
    EXPECT_EQ(material_named("CCV"), nullptr);
    EXPECT_EQ(material_named(""), nullptr);
    EXPECT_EQ(material_named("mmkm")->items.front(), word_sets()[3].words.front());

    for (const OrderChoice& choice : order_choices()) {
        EXPECT_EQ(order_named(choice.key), choice.order);
        EXPECT_EQ(order_key(choice.order), choice.key);
    }
    EXPECT_EQ(order_named("willekeurig"), Order::drawn_anew);
    EXPECT_EQ(order_named("door-elkaar"), Order::shuffled);
    EXPECT_EQ(order_named("op-volgorde"), Order::as_listed);
    EXPECT_EQ(order_named("door elkaar"), std::nullopt);
}

// A chosen material: its name in the title, only its items flash.
TEST(Materials, ChosenInTheSessionNameTheWindowAndAreAllThatFlashes)
{
    for (const char* key : {"mmkm", "twee-gesloten"}) {
        EngineSession session({9, 200, 100, material_named(key)});
        EXPECT_EQ(session.session.order(), Order::shuffled);
        for (int tick = 0; tick < 2000; ++tick) {
            if (session.view.timer1_enabled)
                session.sequencer.timer1_tick();
            else
                session.sequencer.timer2_tick();
            ASSERT_EQ(testing::broken_invariant(session.module, session.view), "") << key;
        }
        EXPECT_GT(session.view.syllables_drawn, 30);
    }
    EXPECT_EQ(EngineSession({1, 2000, 100, material_named("mmkm")}).session.exercise_title(),
              "ZVK van mmkm-woorden");
    EXPECT_EQ(EngineSession({1, 2000, 100, own_list_material({"de kat"}), Order::as_listed})
                  .session.exercise_title(),
              "ZVK van eigen woorden");
}

} // namespace
} // namespace klankflits
