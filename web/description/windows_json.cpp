#include "description/windows_json.h"

#include "material/list_link.h"
#include "material/materials.h"
#include "program/layout.h"
#include "program/letter_size.h"
#include "program/letters.h"
#include "program/texts.h"
#include "program/windows.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace klankflits
{

namespace
{

constexpr std::array all_kinds{ControlKind::label,       ControlKind::text_box,
                               ControlKind::push_button, ControlKind::picture_box,
                               ControlKind::combo_box,   ControlKind::text_area};

// A JSON text from its pieces, each appended in turn (no piece is put in
// front of another, which GCC 12 at -O3 warns about wrongly).
template <typename... Pieces> std::string joined(const Pieces&... pieces)
{
    std::string out;
    (out.append(pieces), ...);
    return out;
}

// The items as a JSON array, each written by `write`.
template <typename Items, typename Write> std::string array(const Items& items, Write write)
{
    std::string out = "[";
    const char* separator = "";
    for (const auto& each : items) {
        out.append(separator).append(write(each));
        separator = ",";
    }
    return out.append("]");
}

std::string kind_name(ControlKind kind)
{
    switch (kind) {
    case ControlKind::label:
        return "label";
    case ControlKind::text_box:
        return "text_box";
    case ControlKind::push_button:
        return "push_button";
    case ControlKind::picture_box:
        return "picture_box";
    case ControlKind::combo_box:
        return "combo_box";
    case ControlKind::text_area:
        return "text_area";
    }
    return "unknown";
}

std::string font_name(FontRole font)
{
    return font == FontRole::syllable ? "syllable" : "window";
}

std::string boolean(bool value)
{
    return value ? "true" : "false";
}

std::string number(double value)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.17g", value);
    return text.data();
}

std::string place(const TwipsRect& rect)
{
    return joined("{\"left\":", number(rect.left), ",\"top\":", number(rect.top),
                  ",\"width\":", number(rect.width), ",\"height\":", number(rect.height), "}");
}

// The caption as drawn, its access key, the control it reaches and its two
// lines come from the core's own rules, so that the page does not read a
// caption on its own.
std::string control(const WindowDescription& window, const ControlDescription& each)
{
    const char key = access_key(each.caption);
    std::string out = joined(
        "{\"name\":", json_string(each.name), ",\"kind\":", json_string(kind_name(each.kind)),
        ",\"caption\":", json_string(each.caption),
        ",\"accessKey\":", json_string(key ? std::string(1, key) : std::string()),
        ",\"place\":", place(each.place), ",\"font\":", json_string(font_name(each.font)),
        ",\"shownAtLoad\":", boolean(each.shown_at_load),
        ",\"drawnCaption\":", json_string(drawn_caption(each.caption)),
        ",\"twoLines\":", boolean(each.two_lines));
    if (key)
        out.append(joined(",\"accessKeyTarget\":",
                          json_string(access_key_target(window, key, Shells::page))));
    if (each.two_lines) {
        const CaptionLines lines = caption_lines(drawn_caption(each.caption));
        out.append(
            joined(",\"lines\":[", json_string(lines.first), ",", json_string(lines.second), "]"));
    }
    return out.append("}");
}

// The page's controls only, in tab order.
std::string window(const WindowDescription& described)
{
    std::vector<ControlDescription> page_controls;
    std::copy_if(described.controls.begin(), described.controls.end(),
                 std::back_inserter(page_controls),
                 [](const ControlDescription& c) { return on_shell(c, Shells::page); });
    return joined(
        "{\"name\":", json_string(described.name), ",\"caption\":", json_string(described.caption),
        ",\"client\":{\"width\":", std::to_string(described.client.width),
        ",\"height\":", std::to_string(described.client.height), "},\"controls\":",
        array(page_controls,
              [&described](const ControlDescription& each) { return control(described, each); }),
        "}");
}

std::string font_json(const FontDescription& font)
{
    return joined("{\"families\":",
                  array(font.families, [](std::string_view family) { return json_string(family); }),
                  ",\"bold\":", boolean(font.bold), ",\"points\":", std::to_string(font.points),
                  "}");
}

// The steps, and the captions of a touch screen's buttons for them.
std::string letter_size()
{
    return joined("{\"smallest\":", std::to_string(smallest_letter_size),
                  ",\"largest\":", std::to_string(largest_letter_size),
                  ",\"smaller\":", json_string(letter_size_smaller),
                  ",\"larger\":", json_string(letter_size_larger), "}");
}

// What the page alone says: the list file, the link.
std::string page_texts()
{
    return joined("{\"fileNotText\":", json_string(list_file_not_text),
                  ",\"linkCopied\":", json_string(link_copied),
                  ",\"linkByHand\":", json_string(link_copy_by_hand), "}");
}

// The materials to choose, each with the order it starts in, and the orders.
std::string materials()
{
    const auto own_list_order = own_list_material({std::string(own_list_key)})->default_order;
    return joined("{\"ownList\":", json_string(own_list_key),
                  ",\"listLink\":", json_string(list_link_name), ",\"choices\":",
                  array(material_choices(),
                        [&](const MaterialChoice& choice) {
                            const auto material = material_named(choice.key);
                            const Order order = material ? material->default_order : own_list_order;
                            return joined("{\"key\":", json_string(choice.key),
                                          ",\"caption\":", json_string(choice.caption),
                                          ",\"order\":", json_string(order_key(order)), "}");
                        }),
                  ",\"orders\":",
                  array(order_choices(),
                        [](const OrderChoice& choice) {
                            return joined("{\"key\":", json_string(choice.key),
                                          ",\"caption\":", json_string(choice.caption),
                                          ",\"explanation\":", json_string(choice.explanation),
                                          "}");
                        }),
                  "}");
}

} // namespace

std::string json_string(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            std::array<char, 8> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\u%04x", byte);
            out += escaped.data();
        } else {
            out += c; // UTF-8 passes through as it is
        }
    }
    return out.append("\"");
}

std::string windows_json()
{
    std::string focus = "{";
    const char* separator = "";
    for (ControlKind kind : all_kinds) {
        focus.append(
            joined(separator, json_string(kind_name(kind)), ":", boolean(takes_focus(kind))));
        separator = ",";
    }
    focus.append("}");
    return joined("{\"program\":", json_string(program_name),
                  ",\"fullScreen\":{\"enter\":", json_string(full_screen_caption),
                  ",\"leave\":", json_string(full_screen_leave_caption), "}",
                  ",\"twipsPerPixel\":", number(twips_per_pixel), ",\"takesFocus\":", focus,
                  ",\"syllableFont\":", font_json(syllable_font()),
                  ",\"schoolLetters\":{\"caption\":", json_string(school_letters_caption),
                  ",\"name\":", json_string(school_letters_name),
                  ",\"font\":", font_json(syllable_font(Letters::school)), "}",
                  ",\"pause\":{\"take\":", json_string(pause_caption),
                  ",\"resume\":", json_string(resume_caption),
                  ",\"sign\":", json_string(paused_sign), "}",
                  ",\"pausePicture\":{\"width\":", std::to_string(pause_picture_size.width),
                  ",\"height\":", std::to_string(pause_picture_size.height), "}",
                  ",\"letterSize\":", letter_size(), ",\"materials\":", materials(),
                  ",\"pageTexts\":", page_texts(), ",\"windows\":[", window(settings_window()), ",",
                  window(exercise_window()), "]}");
}

} // namespace klankflits
