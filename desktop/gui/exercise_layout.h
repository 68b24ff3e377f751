#pragma once

#include "gui/exercise_controls.h"
#include "gui/scaled_layout.h"
#include "program/letters.h"
#include "program/windows.h"

#include <QSize>

#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QWidget;

namespace klankflits
{

// frm_werk's layout at any window size and letter size: the controls scaled
// and centred as one picture, the syllable and the pause picture grown to the
// letter size by the core's rule, and each read-out fitted to its figure.
class ExerciseLayout
{
public:
    // Smaller than this the layout is no use to anybody.
    static constexpr double smallest_factor = 0.3;

    // Takes the controls as created (at the layout's own size) and measures
    // the widest of the material's items in the syllable's font.
    ExerciseLayout(QWidget* window, const ExerciseControls& controls,
                   std::vector<std::string> items);

    // The window's client size at factor 1.
    QSize size() const { return layout_.size(); }
    // The largest client size no larger than `room` at which the layout fits,
    // at the smallest factor where `room` is smaller still.
    QSize client_for(QSize room) const;

    int letter_size() const { return letter_size_; }
    // The letter size at `step` (a step outside 1 to 4 is taken as the
    // nearest), the window laid out again.
    void set_letter_size(int step);

    // The syllable's letters, measured anew; the window laid out again.
    void set_letters(Letters letters);
    Letters letters() const { return letters_; }

    // Lays the window out again for its current size.
    void apply();

    // The read-out `name` ("Label1" or "Label3") fitted to its text as it is.
    void fit_read_out(std::string_view name);

private:
    QLabel* read_out(std::string_view name) const;
    // The syllable and the picture grown to the letter size at the next apply().
    void grow_to_letter_size();
    void keep_items_whole();

    QWidget* window_;
    ExerciseControls controls_;
    ScaledLayout layout_;
    std::vector<std::string> items_; // the material's
    TwipsSize widest_item_;          // in the syllable's font, at step 1
    int letter_size_ = 1;
    Letters letters_ = Letters::window;
};

} // namespace klankflits
