#include "engine/material.h"

#include "engine/exercise_view.h"

#include <cmath>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace klankflits
{

namespace
{

// A whole number from 0 to count - 1, uniformly.
std::size_t below(std::size_t count, UnitRandom& random)
{
    const auto drawn = static_cast<std::size_t>(std::floor(random.next() * count));
    return drawn < count ? drawn : count - 1;
}

} // namespace

const std::shared_ptr<const Material>& ccv_material()
{
    static const auto ccv = std::make_shared<const Material>(
        Material{"ccv", "CCV-structuren", every_syllable(), Order::drawn_anew, true});
    return ccv;
}

ItemDraw::ItemDraw() : material_(ccv_material()) {}

ItemDraw::ItemDraw(std::shared_ptr<const Material> material, Order order, UnitRandom& random)
    : material_(std::move(material)), order_(order)
{
    if (!material_ || material_->items.empty())
        throw std::invalid_argument("a material without items");
    if (order_ != Order::drawn_anew)
        make_round(random);
}

void ItemDraw::next(SyllableTables& tables, UnitRandom& random, ExerciseView& view)
{
    const auto& items = material_->items;
    if (order_ != Order::drawn_anew) {
        view.set_txt_string_caption(items[round_[at_++]]);
        if (at_ == round_.size())
            make_round(random);
    } else if (material_->syllable_tables) {
        pick_syllable(tables, random, view);
    } else {
        view.set_txt_string_caption(items[below(items.size(), random)]);
    }
}

// A list of one item necessarily shows it every time. With two or more, a
// shuffled round never starts with the item the last round ended with: if it
// does, that first item changes places with one of the others, drawn
// uniformly, which leaves every allowed round equally likely.
void ItemDraw::make_round(UnitRandom& random)
{
    const std::size_t count = material_->items.size();
    at_ = 0;
    if (order_ == Order::as_listed) {
        if (round_.size() != count) {
            round_.resize(count);
            std::iota(round_.begin(), round_.end(), std::size_t{0});
        }
        return;
    }
    const bool follows_a_round = round_.size() == count;
    const std::size_t last = follows_a_round ? round_.back() : count;
    round_.resize(count);
    std::iota(round_.begin(), round_.end(), std::size_t{0});
    for (std::size_t i = count - 1; i > 0; --i)
        std::swap(round_[i], round_[below(i + 1, random)]);
    if (count > 1 && round_.front() == last)
        std::swap(round_.front(), round_[1 + below(count - 1, random)]);
}

} // namespace klankflits
