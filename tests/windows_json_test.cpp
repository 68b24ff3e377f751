#include "description/windows_json.h"

#include "program/windows.h"
#include "support/named_case.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace klankflits
{
namespace
{

using testing::PrintTo;

struct StringCase {
    const char* name;
    std::string text;
    std::string json;
};

class JsonString : public ::testing::TestWithParam<StringCase>
{
};

TEST_P(JsonString, IsQuotedAndEscaped)
{
    EXPECT_EQ(json_string(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonString,
    ::testing::Values(StringCase{"plain", "Form1", "\"Form1\""}, StringCase{"empty", "", "\"\""},
                      StringCase{"access_key_and_blanks", "&Start  x", "\"&Start  x\""},
                      StringCase{"quote", "a\"b", "\"a\\\"b\""},
                      StringCase{"backslash", "a\\b", "\"a\\\\b\""},
                      StringCase{"line_break", "a\nb", "\"a\\u000ab\""},
                      StringCase{"control_character", std::string("a\x01"), "\"a\\u0001\""},
                      StringCase{"utf8_as_is", "\xc3\xa9", "\"\xc3\xa9\""}),
    testing::case_name);

TEST(WindowsJson, HasTheRulesBesideTheWindows)
{
    const std::string json = windows_json();
    for (const char* part :
         {"\"program\":\"Klankflits\"",
          "\"fullScreen\":{\"enter\":\"Volledig scherm\",\"leave\":\"Scherm terug\"}",
          "\"twipsPerPixel\":15,",
          "\"takesFocus\":{\"label\":false,\"text_box\":true,\"push_button\":true,"
          "\"picture_box\":false,\"combo_box\":true,\"text_area\":true}",
          "\"bold\":true,\"points\":24}", "\"pausePicture\":{\"width\":150,\"height\":112}",
          "\"letterSize\":{\"smallest\":1,\"largest\":4,\"smaller\":\"A\xe2\x88\x92\","
          "\"larger\":\"A+\"}",
          "\"materials\":{\"ownList\":\"eigen\",\"listLink\":\"lijst\",\"choices\":[{\"key\":"
          "\"ccv\",\"caption\":"
          "\"CCV-structuren (blaa, schui)\",\"order\":\"willekeurig\"}",
          "{\"key\":\"eigen\",\"caption\":\"eigen woorden (een lijst die u zelf maakt)\","
          "\"order\":\"door-elkaar\"}]",
          "\"orders\":[{\"key\":\"willekeurig\",\"caption\":\"Willekeurig\",\"explanation\":"})
        EXPECT_NE(json.find(part), std::string::npos) << part;
}

// Each window's controls appear in its tab order, after the window's caption.
TEST(WindowsJson, ListsEveryControlInTabOrder)
{
    const std::string json = windows_json();
    std::size_t at = 0;
    for (const auto& [caption, names] :
         std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"Form1",
              {"Label1", "txt_start", "Label2", "txt_speed", "Label3", "Label4", "cmd_start",
               "cmd_exit"}},
             {"ZVK van CCV-structuren",
              {"cmd_exit", "txt_string", "Label1", "Label3", "Picture1", "Label4", "Label5",
               "Command1", "Command2"}}}) {
        at = json.find("\"caption\":\"" + caption + "\"", at);
        ASSERT_NE(at, std::string::npos) << caption;
        for (const std::string& name : names) {
            at = json.find("{\"name\":\"" + name + "\",\"kind\":", at);
            ASSERT_NE(at, std::string::npos) << caption << " " << name;
        }
    }
}

TEST(WindowsJson, GivesAccessKeysAndTwoLines)
{
    const std::string json = windows_json();
    EXPECT_NE(json.find("\"caption\":\"&Start\",\"accessKey\":\"S\","), std::string::npos);
    EXPECT_NE(json.find("\"name\":\"Label1\",\"kind\":\"label\",\"caption\":\"Geef start "
                        "interval\",\"accessKey\":\"\","),
              std::string::npos);
    EXPECT_NE(json.find("\"twoLines\":true,\"lines\":[\"versnel\",\"100 msec\"]}"),
              std::string::npos);
    EXPECT_NE(json.find("\"twoLines\":true,\"lines\":[\"vertraag\",\"100 msec\"]}"),
              std::string::npos);
    EXPECT_NE(json.find("\"name\":\"txt_string\",\"kind\":\"label\",\"caption\":\"\","
                        "\"accessKey\":\"\",\"place\":{\"left\":5280,\"top\":4320,\"width\":"
                        "3375,\"height\":1455},\"font\":\"syllable\",\"shownAtLoad\":false"),
              std::string::npos);
}

// Alt and a letter: a button by its caption, a label's key the control
// after it; a control only one shell has only there.
TEST(AccessKeys, ReachTheirControlOnTheirShell)
{
    const WindowDescription& w = settings_window();
    const std::pair<char, std::string_view> desktop[] = {
        {'s', "cmd_start"}, {'E', "cmd_exit"}, {'o', "cmb_material"},
        {'v', "cmb_order"}, {'l', "txt_list"}, {'n', "cmd_open"},
        {'a', "cmd_save"},  {'k', ""},         {'x', ""}};
    for (const auto& [key, target] : desktop)
        EXPECT_EQ(access_key_target(w, key, Shells::desktop), target) << key;
    EXPECT_EQ(access_key_target(w, 'k', Shells::page), "cmd_link");
    EXPECT_EQ(access_key_target(w, 'a', Shells::page), "");
}

// A label's access key names the control it reaches on the page.
TEST(WindowsJson, GivesTheControlALabelsKeyReaches)
{
    const std::string json = windows_json();
    EXPECT_NE(json.find("\"caption\":\"&Oefenstof\",\"accessKey\":\"O\""), std::string::npos);
    for (const char* part :
         {"\"accessKeyTarget\":\"cmb_material\"", "\"accessKeyTarget\":\"cmb_order\"",
          "\"accessKeyTarget\":\"txt_list\"", "\"accessKeyTarget\":\"cmd_link\""})
        EXPECT_NE(json.find(part), std::string::npos) << part;
    EXPECT_EQ(json.find("cmd_save"), std::string::npos);
}

} // namespace
} // namespace klankflits
