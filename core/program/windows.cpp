#include "program/windows.h"

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

constexpr WindowDescription frm_hoofd{"frm_hoofd", "Form1", {5535, 2880}, settings_controls};
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
    return kind == text_box || kind == push_button;
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
