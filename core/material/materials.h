#pragma once

// Choosing the material and its order, by the keys that links and the command
// line use and the Dutch captions that --help and the windows show.

#include "engine/material.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace klankflits
{

inline constexpr std::string_view ccv_key = "ccv";
inline constexpr std::string_view own_list_key = "eigen";

struct MaterialChoice {
    std::string_view key;
    std::string_view caption;
};

// Every material to choose: the CCV syllables, the built-in sets in the
// reading methods' order, and last the teacher's own list.
std::span<const MaterialChoice> material_choices();

// The CCV syllables or a built-in set by its key; null for anything else,
// the own list's key included (its items come from own_list_material).
std::shared_ptr<const Material> material_named(std::string_view key);

// A teacher's list as read by read_own_list: shuffled by default.
std::shared_ptr<const Material> own_list_material(std::vector<std::string> items);

struct OrderChoice {
    std::string_view key;
    std::string_view caption;
    std::string_view explanation;
    Order order;
};

std::span<const OrderChoice> order_choices();
std::optional<Order> order_named(std::string_view key);
std::string_view order_key(Order order);

// What the settings window's list box shows of a material: its items, one a
// line.
std::string items_text(const Material& material);

// The exercise window's title: "ZVK van " and the material's name, which for
// the CCV syllables is the original title.
std::string exercise_title(const Material& material);

} // namespace klankflits
