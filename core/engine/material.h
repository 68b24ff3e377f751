#pragma once

// The material of an exercise: the items txt_string shows, the name the
// exercise window's title gives them, and how the next one is drawn. The CCV
// syllables are one material and the default; a built-in word set and a
// teacher's own list are others (material/materials.h chooses among them).

#include "engine/syllables.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace klankflits
{

class ExerciseView;

enum class Order {
    drawn_anew, // "willekeurig": every flash drawn anew, a repeat may come
    shuffled,   // "door elkaar": every item once a round, never twice in a row
    as_listed,  // "op volgorde": as listed, then from the top
};

struct Material {
    std::string key;  // for links and the command line: "ccv", a set's key, "eigen"
    std::string name; // in the title "ZVK van " + name
    std::vector<std::string> items;
    Order default_order = Order::shuffled;
    // Drawn anew from the two syllable tables (pick_syllable), not from items.
    bool syllable_tables = false;
};

// The 368 CCV syllables, as every_syllable() lists them, drawn anew by default.
const std::shared_ptr<const Material>& ccv_material();

// Draws the items of a material in an order. Every draw is ready before the
// flash that shows it: a shuffled round is made, in time linear in the number
// of items, as soon as the one before it has given its last item.
class ItemDraw
{
public:
    // The CCV syllables, each drawn anew: exactly pick_syllable.
    ItemDraw();
    // `random` makes the first shuffled round.
    ItemDraw(std::shared_ptr<const Material> material, Order order, UnitRandom& random);

    const Material& material() const { return *material_; }
    Order order() const { return order_; }

    // Puts the next item into txt_string; never changes whether it is visible.
    void next(SyllableTables& tables, UnitRandom& random, ExerciseView& view);

private:
    void make_round(UnitRandom& random);

    std::shared_ptr<const Material> material_;
    Order order_ = Order::drawn_anew;
    std::vector<std::size_t> round_; // item numbers, in the order they come
    std::size_t at_ = 0;             // the next one in round_
};

} // namespace klankflits
