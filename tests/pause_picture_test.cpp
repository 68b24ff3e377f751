#include "program/pause_picture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace klankflits
{
namespace
{

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
};

// Reads an XML document's elements in order, or says where it is not well
// formed: a tag not closed, closed out of order, an attribute without its
// quotes or given twice, anything after the one root element.
std::vector<Element> elements(const std::string& xml, std::string& fault)
{
    const auto name_at = [&xml](std::size_t& i) {
        const std::size_t start = i;
        while (i < xml.size() && (std::isalnum(static_cast<unsigned char>(xml[i])) ||
                                  xml[i] == ':' || xml[i] == '-' || xml[i] == '_'))
            ++i;
        return xml.substr(start, i - start);
    };
    std::vector<Element> found;
    std::vector<std::string> open;
    std::size_t at = xml.starts_with("<?xml") ? xml.find("?>") + 2 : 0;
    bool root_closed = false;
    while ((at = xml.find('<', at)) != std::string::npos) {
        const std::string where = " at " + std::to_string(at);
        if (root_closed)
            return fault = "more than one root element" + where, found;
        std::size_t i = at + 1;
        const bool closing = xml[i] == '/';
        i += closing;
        Element element{name_at(i), {}};
        if (element.name.empty())
            return fault = "a tag without a name" + where, found;
        for (;;) {
            const std::size_t before = i;
            while (i < xml.size() && std::isspace(static_cast<unsigned char>(xml[i])))
                ++i;
            if (i >= xml.size())
                return fault = "a tag never ended" + where, found;
            if (xml[i] == '>' || xml.compare(i, 2, "/>") == 0)
                break;
            const std::string name = name_at(i);
            const std::size_t end = xml.find('"', i + 2);
            if (i == before || closing || name.empty() || xml.compare(i, 2, "=\"") != 0 ||
                end == std::string::npos || xml.find('<', i) < end)
                return fault = "a malformed attribute" + where, found;
            if (!element.attributes.emplace(name, xml.substr(i + 2, end - i - 2)).second)
                return fault = "an attribute given twice" + where, found;
            i = end + 1;
        }
        const bool empty = xml[i] == '/';
        if (closing) {
            if (empty || open.empty() || open.back() != element.name)
                return fault = "</" + element.name + "> closes nothing open" + where, found;
            open.pop_back();
        } else {
            found.push_back(element);
            if (!empty)
                open.push_back(element.name);
        }
        root_closed = open.empty();
        at = i + (empty ? 2 : 1);
    }
    if (!open.empty())
        fault = "<" + open.back() + "> is never closed";
    return found;
}

TEST(PausePicture, SvgIsWellFormedAndOfTheSizeAsked)
{
    for (const auto& [width, height] : {std::pair{150, 112}, {883, 659}, {1, 1}}) {
        const std::string svg = pause_picture_svg(width, height);
        std::string fault;
        const std::vector<Element> found = elements(svg, fault);
        ASSERT_EQ(fault, "") << svg;
        ASSERT_FALSE(found.empty());
        EXPECT_EQ(found[0].name, "svg");
        EXPECT_EQ(found[0].attributes.at("width"), std::to_string(width));
        EXPECT_EQ(found[0].attributes.at("height"), std::to_string(height));
        // Drawn in the picture's own pixels, stretched to the size asked.
        EXPECT_EQ(found[0].attributes.at("viewBox"), "0 0 150 112");
        EXPECT_EQ(found[0].attributes.at("preserveAspectRatio"), "none");
        // The ground, the face, two eyes and the smile.
        std::vector<std::string> shapes;
        for (const Element& each : found)
            if (each.name == "rect" || each.name == "circle" || each.name == "ellipse" ||
                each.name == "path")
                shapes.push_back(each.name);
        EXPECT_EQ(shapes,
                  (std::vector<std::string>{"rect", "circle", "ellipse", "ellipse", "path"}));
    }
}

} // namespace
} // namespace klankflits
