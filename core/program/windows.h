#pragma once

// What the program's two windows are, written once for every shell: each
// window's name, caption and client size, and each control's name, kind,
// caption, place, place in the tab order, font and state at load. Places are
// in twips, 1/1440 of a logical inch. The desktop creates its widgets from
// this; the page builds its two views from it.

#include <span>
#include <string>
#include <string_view>

namespace klankflits
{

// A box in twips: a control's place, or where something is drawn at a letter
// size (which need not fall on whole twips).
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

struct TwipsSize {
    int width = 0;
    int height = 0;
};

// A combo box is a drop-down list to choose from; a text area a text box of
// many lines.
enum class ControlKind { label, text_box, push_button, picture_box, combo_box, text_area };

// Which shells have a control: opening and saving a file is the desktop's,
// copying the page's link the page's.
enum class Shells { both, desktop, page };

// The syllable has a font of its own; every other control the window's.
enum class FontRole { window, syllable };

struct ControlDescription {
    std::string_view name;
    ControlKind kind;
    // As the control shows it at load; in a button's caption "&" marks the
    // access key (Alt with the next letter) and is not drawn. Empty where the
    // program fills the control.
    std::string_view caption;
    TwipsRect place;
    FontRole font = FontRole::window;
    bool shown_at_load = true;
    // A caption wider than its button that the button shows on two lines,
    // split at its run of blanks.
    bool two_lines = false;
    Shells shells = Shells::both;
};

struct WindowDescription {
    std::string_view name;
    std::string_view caption;
    TwipsSize client;
    // In tab order: those of them that take the focus take it in this order.
    std::span<const ControlDescription> controls;

    // The control of that name; throws std::out_of_range for any other.
    const ControlDescription& control(std::string_view name) const;
};

// frm_hoofd: the start interval and the speed step, Start and Einde; below
// them the lesson material, its order and the own list.
const WindowDescription& settings_window();
// frm_werk: the syllable, the pause picture, the read-outs and three buttons.
const WindowDescription& exercise_window();

// Whether a control of this kind can take the focus (labels and pictures
// cannot).
bool takes_focus(ControlKind kind);

// A caption's access key, in upper case ('S' for "&Start"); 0 if none.
char access_key(std::string_view caption);
// The control that Alt and `key` (either case) reaches in `window` on
// `shell` (Shells::desktop or Shells::page): a button by its own caption; a
// label's key the control after the label in tab order. Empty if none.
std::string_view access_key_target(const WindowDescription& window, char key, Shells shell);
// Whether `shell` has `control`.
bool on_shell(const ControlDescription& control, Shells shell);
// A caption as drawn: without its "&".
std::string drawn_caption(std::string_view caption);
// The two lines of a caption split at its run of blanks (the verb, then the
// rest); the whole caption and an empty second line where it has no blank.
struct CaptionLines {
    std::string first;
    std::string second;
};
CaptionLines caption_lines(std::string_view caption);

// The syllable's font: bold, 24 points, the first of these faces that the
// system has, else its sans-serif.
struct FontDescription {
    std::span<const std::string_view> families;
    bool bold = false;
    int points = 0;
};
const FontDescription& syllable_font();

// The pause picture in Picture1, in pixels at the window's own size: a yellow
// smiling face on a grey ground that darkens towards the edges.
struct PixelSize {
    int width = 0;
    int height = 0;
};
inline constexpr PixelSize pause_picture_size{150, 112};

} // namespace klankflits
