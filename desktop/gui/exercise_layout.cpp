#include "gui/exercise_layout.h"

#include "gui/controls.h"
#include "gui/font_measures.h"
#include "gui/pause_picture.h"
#include "program/layout.h"
#include "program/letter_size.h"
#include "program/read_outs.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace klankflits
{

namespace
{

QRectF pixel_box(const TwipsRect& box)
{
    return {pixels(box.left), pixels(box.top), pixels(box.width), pixels(box.height)};
}

} // namespace

ExerciseLayout::ExerciseLayout(QWidget* window, const ExerciseControls& controls,
                               std::vector<std::string> items)
    : window_(window), controls_(controls), layout_(window, exercise_window().client),
      items_(std::move(items)), widest_item_(widest_item_in(controls.txt_string->font(), items_))
{
    // An item wider than txt_string is drawn smaller from the start.
    grow_to_letter_size();
}

QSize ExerciseLayout::client_for(QSize room) const
{
    const QSize laid_out = layout_.size();
    if (room.width() >= laid_out.width() && room.height() >= laid_out.height())
        return laid_out;
    const double factor = std::max(layout_.factor_for(room), smallest_factor);
    return {static_cast<int>(laid_out.width() * factor),
            static_cast<int>(laid_out.height() * factor)};
}

// The syllable and the picture each at the step, or the largest below it at
// which they stay inside the window and clear of the other controls.
void ExerciseLayout::set_letter_size(int step)
{
    letter_size_ = letter_size_stepped(step, 0);
    grow_to_letter_size();
    apply();
}

void ExerciseLayout::grow_to_letter_size()
{
    const GrownControl syllable = grown_syllable(widest_item_, letter_size_);
    layout_.grow(controls_.txt_string, pixel_box(syllable.box), syllable.factor);
    const GrownControl pause = grown_pause_picture(letter_size_);
    layout_.grow(controls_.picture1, pixel_box(pause.box), pause.factor);
}

void ExerciseLayout::set_letters(Letters letters)
{
    if (letters == letters_)
        return;
    letters_ = letters;
    const QFont font = syllable_qfont(letters);
    controls_.txt_string->setFont(font);
    layout_.set_font(controls_.txt_string, font);
    widest_item_ = widest_item_in(font, items_);
    set_letter_size(letter_size_);
}

void ExerciseLayout::apply()
{
    layout_.apply();
    keep_items_whole();
    controls_.picture1->draw_ahead();
    fit_read_out("Label1");
    fit_read_out("Label3");
}

// The core's rule grows txt_string around the widest item as measured at step
// 1; a font's hinting draws it a little wider or taller at other sizes (4 %
// wider in the smallest window). Then its letter is made as much smaller as
// keeps every item whole.
void ExerciseLayout::keep_items_whole()
{
    QLabel* label = controls_.txt_string;
    QFont font = label->font();
    for (int i = 0; i < 30 && !items_whole_in(font, items_, label->size()); ++i)
        font = scaled_font(font, 0.98);
    if (font != label->font())
        label->setFont(font);
}

QLabel* ExerciseLayout::read_out(std::string_view name) const
{
    return name == "Label1" ? controls_.label1 : controls_.label3;
}

// The core's rule for a figure wider than its read-out, measured in the
// window's letter as it is drawn now.
void ExerciseLayout::fit_read_out(std::string_view name)
{
    QLabel* label = read_out(name);
    const QFont letter = window_->font();
    const ReadOutFit fit =
        klankflits::fit_read_out(name, twips_wide_in(letter, label->text(), layout_.factor()));
    label->setGeometry(layout_.place(pixel_box(fit.place)));
    // An empty font takes the window's again.
    label->setFont(fit.letter_scale == 1.0 ? QFont() : scaled_font(letter, fit.letter_scale));
}

} // namespace klankflits
