#include "material/materials.h"

#include "material/word_sets.h"

#include <algorithm>
#include <array>
#include <utility>

namespace klankflits
{

namespace
{

std::vector<MaterialChoice> every_choice()
{
    std::vector<MaterialChoice> choices{{ccv_key, "CCV-structuren (blaa, schui)"}};
    for (const WordSet& set : word_sets())
        choices.push_back({set.key, set.caption});
    choices.push_back({own_list_key, "eigen woorden (een lijst die u zelf maakt)"});
    return choices;
}

constexpr std::array<OrderChoice, 3> orders = {{
    {"willekeurig", "Willekeurig", "elke flits opnieuw getrokken; een woord kan terugkomen",
     Order::drawn_anew},
    {"door-elkaar", "Door elkaar", "elk woord één keer per ronde, nooit twee keer achter elkaar",
     Order::shuffled},
    {"op-volgorde", "Op volgorde", "zoals in de lijst, daarna weer van boven af", Order::as_listed},
}};

} // namespace

std::span<const MaterialChoice> material_choices()
{
    static const std::vector<MaterialChoice> choices = every_choice();
    return choices;
}

std::shared_ptr<const Material> material_named(std::string_view key)
{
    if (key == ccv_key)
        return ccv_material();
    const auto sets = word_sets();
    const auto set =
        std::find_if(sets.begin(), sets.end(), [&](const WordSet& s) { return s.key == key; });
    if (set == sets.end())
        return nullptr;
    return std::make_shared<const Material>(
        Material{std::string(set->key), std::string(set->name),
                 std::vector<std::string>(set->words.begin(), set->words.end()), Order::shuffled});
}

std::shared_ptr<const Material> own_list_material(std::vector<std::string> items)
{
    return std::make_shared<const Material>(
        Material{std::string(own_list_key), "eigen woorden", std::move(items), Order::shuffled});
}

std::span<const OrderChoice> order_choices()
{
    return orders;
}

std::optional<Order> order_named(std::string_view key)
{
    for (const OrderChoice& choice : orders)
        if (choice.key == key)
            return choice.order;
    return std::nullopt;
}

std::string_view order_key(Order order)
{
    for (const OrderChoice& choice : orders)
        if (choice.order == order)
            return choice.key;
    return {};
}

std::string items_text(const Material& material)
{
    std::string text;
    for (const std::string& item : material.items) {
        if (!text.empty())
            text += '\n';
        text += item;
    }
    return text;
}

std::string exercise_title(const Material& material)
{
    return "ZVK van " + material.name;
}

} // namespace klankflits
