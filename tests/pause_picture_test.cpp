#include "program/pause_picture.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
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
    static const std::regex tag(R"(<(/?)([A-Za-z][\w:-]*)((?:\s+[\w:-]+="[^"<]*")*)\s*(/?)>)");
    static const std::regex attribute(R"(([\w:-]+)="([^"]*)\")");
    std::vector<Element> found;
    std::vector<std::string> open;
    std::size_t at = xml.starts_with("<?xml") ? xml.find("?>") + 2 : 0;
    bool root_closed = false;
    while ((at = xml.find('<', at)) != std::string::npos) {
        std::smatch m;
        if (!std::regex_search(xml.cbegin() + at, xml.cend(), m, tag,
                               std::regex_constants::match_continuous))
            return fault = "a malformed tag at " + std::to_string(at), found;
        if (root_closed)
            return fault = "more than one root element", found;
        if (m[1] == "/") {
            if (open.empty() || open.back() != m[2])
                return fault = "</" + m[2].str() + "> closes nothing open", found;
            open.pop_back();
        } else {
            Element element{m[2], {}};
            const std::string attributes = m[3];
            for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute), end;
                 a != end; ++a)
                if (!element.attributes.emplace((*a)[1], (*a)[2]).second)
                    return fault = "an attribute given twice", found;
            found.push_back(element);
            if (m[4] != "/")
                open.push_back(m[2]);
        }
        root_closed = open.empty();
        at += m.length(0);
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
