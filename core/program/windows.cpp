#include "program/windows.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

namespace klankflits
{

namespace
{

using enum ControlKind;

constexpr std::array settings_controls{
    ControlDescription{"Label1", label, "Geef start interval", {240, 360, 1600, 255}},
    ControlDescription{"txt_start", text_box, "", {2040, 360, 1575, 285}},
    ControlDescription{"Label2", label, "Geef versnelling", {240, 960, 1600, 255}},
    ControlDescription{"txt_speed", text_box, "", {2040, 960, 1575, 285}},
    ControlDescription{"Label3", label, "Mili seconden", {3840, 360, 1215, 255}},
    ControlDescription{"Label4", label, "Mili seconden", {3840, 960, 1215, 255}},
    ControlDescription{"cmd_start", push_button, "&Start", {240, 2160, 1695, 495}},
    ControlDescription{"cmd_exit", push_button, "&Einde", {3600, 2160, 1695, 495}},
    // Below the original six: the material, its order and the own list. The
    // two lists span the window, so that a set's whole caption shows; the list
    // box shows the chosen material's items, and takes typing when the own
    // list is chosen.
    ControlDescription{"Label5", label, "&Oefenstof", {240, 2880, 1600, 255}},
    ControlDescription{"cmb_material", combo_box, "", {240, 3165, 5055, 315}},
    ControlDescription{"Label6", label, "&Volgorde", {240, 3600, 1600, 255}},
    ControlDescription{"cmb_order", combo_box, "", {240, 3885, 5055, 315}},
    ControlDescription{"Label7", label, "&Lijst", {240, 4440, 1600, 255}},
    ControlDescription{"txt_list", text_area, "", {2040, 4440, 3255, 2175}},
    ControlDescription{"cmd_open", push_button, "Ope&nen…", {240, 4920, 1600, 495}},
    ControlDescription{"cmd_save",
                       push_button,
                       "Opslaan &als…",
                       {240, 5520, 1600, 495},
                       FontRole::window,
                       true,
                       false,
                       Shells::desktop},
    ControlDescription{"cmd_link",
                       push_button,
                       "Lin&k kopiëren",
                       {240, 5520, 1600, 495},
                       FontRole::window,
                       true,
                       false,
                       Shells::page},
};

// The speed buttons' runs of blanks are part of their captions: eight after
// "versnel", six after "vertraag".
constexpr std::array exercise_controls{
    ControlDescription{"cmd_exit", push_button, "&Einde", {11400, 9120, 1695, 495}},
    ControlDescription{
        "txt_string", label, "", {5280, 4320, 3375, 1455}, FontRole::syllable, false},
    ControlDescription{"Label1", label, "", {14280, 9840, 735, 255}},
    ControlDescription{"Label3", label, "", {14280, 9240, 735, 255}},
    ControlDescription{
        "Picture1", picture_box, "", {5760, 4200, 2295, 1695}, FontRole::window, false},
    ControlDescription{"Label4", label, "reeks", {13440, 9240, 495, 255}},
    ControlDescription{"Label5", label, "tijd", {13560, 9840, 375, 255}},
    ControlDescription{"Command1",
                       push_button,
                       "versnel        100 msec",
                       {13560, 8280, 1215, 495},
                       FontRole::window,
                       true,
                       true},
    ControlDescription{"Command2",
                       push_button,
                       "vertraag      100 msec",
                       {13560, 7560, 1215, 495},
                       FontRole::window,
                       true,
                       true},
};

constexpr WindowDescription frm_hoofd{"frm_hoofd", "Form1", {5535, 6855}, settings_controls};
constexpr WindowDescription frm_werk{
    "frm_werk", "ZVK van CCV-structuren", {15240, 11010}, exercise_controls};

// The classic face where it can be drawn large and bold, then its scalable
// successor on Windows, then faces of the same build elsewhere.
constexpr std::array<std::string_view, 5> syllable_families{
    "MS Sans Serif", "Microsoft Sans Serif", "Arial", "DejaVu Sans", "Liberation Sans"};
constexpr FontDescription syllable{syllable_families, true, 24};

} // namespace

const ControlDescription& WindowDescription::control(std::string_view wanted) const
{
    for (const ControlDescription& each : controls)
        if (each.name == wanted)
            return each;
    throw std::out_of_range(std::string(name) + " has no control " + std::string(wanted));
}

const WindowDescription& settings_window()
{
    return frm_hoofd;
}

const WindowDescription& exercise_window()
{
    return frm_werk;
}

bool takes_focus(ControlKind kind)
{
    return kind != label && kind != picture_box;
}

bool on_shell(const ControlDescription& control, Shells shell)
{
    return control.shells == Shells::both || control.shells == shell;
}

std::string_view access_key_target(const WindowDescription& window, char key, Shells shell)
{
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    if (wanted == 0)
        return {};
    const auto& controls = window.controls;
    for (auto at = controls.begin(); at != controls.end(); ++at) {
        if (!on_shell(*at, shell) || access_key(at->caption) != wanted)
            continue;
        if (at->kind != label)
            return at->name;
        const auto next = std::find_if(std::next(at), controls.end(), [shell](const auto& c) {
            return on_shell(c, shell) && takes_focus(c.kind);
        });
        return next == controls.end() ? std::string_view() : next->name;
    }
    return {};
}

char access_key(std::string_view caption)
{
    const auto marker = caption.find('&');
    if (marker == std::string_view::npos || marker + 1 >= caption.size())
        return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[marker + 1])));
}

std::string drawn_caption(std::string_view caption)
{
    std::string drawn;
    for (char c : caption)
        if (c != '&')
            drawn += c;
    return drawn;
}

CaptionLines caption_lines(std::string_view caption)
{
    const auto blank = caption.find(' ');
    if (blank == std::string_view::npos)
        return {std::string(caption), {}};
    const auto rest = caption.find_first_not_of(' ', blank);
    return {std::string(caption.substr(0, blank)),
            rest == std::string_view::npos ? std::string() : std::string(caption.substr(rest))};
}

const FontDescription& syllable_font()
{
    return syllable;
}

} // namespace klankflits
