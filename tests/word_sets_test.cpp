#include "material/word_sets.h"
#include "support/letter_classes.h"
#include "support/named_case.h"
#include "support/word_checks.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace klankflits
{
namespace
{

using testing::case_name;
using testing::Found;
using testing::PrintTo;
using testing::Shape;
using testing::VowelKind;
using testing::WordFile;
using testing::Words;

// The paths come from the build: Debian's word list (package wdutch) and the
// blocklist beside these tests. A file that cannot be read fails each test that
// needs it, naming the file.
WordFile read_or_fail(const std::string& path, const std::string& what)
{
    auto words = testing::read_word_file(path);
    if (!words)
        throw std::runtime_error(what + " cannot be read at " + path);
    return std::move(*words);
}

const WordFile& dutch_words()
{
    static const WordFile words =
        read_or_fail(KLANKFLITS_DUTCH_WORDS,
                     "Debian's Dutch word list (package wdutch; scripts/test installs it)");
    return words;
}

const WordFile& blocklist()
{
    static const WordFile words = read_or_fail(KLANKFLITS_BLOCKLIST, "The blocklist of the tests");
    return words;
}

struct SetCase {
    const char* name;
    std::string_view key;
    Shape shape;
    std::size_t minimum;
};

const VowelKind Short = VowelKind::Short;

// Each set's step: the patterns of its words and, where the step is about the
// vowel, the kind of its (first) vowel. At least 60 words where the structure
// has that many words children know, 25 where it has not.
const std::vector<SetCase> set_cases = {
    {"MkmShort", "mkm-kort", {{"mkm"}, {Short}}, 60},
    {"MkmLong", "mkm-lang", {{"mkm"}, {VowelKind::Long}}, 60},
    {"MkmTwoLetterVowel", "mkm-tweeteken", {{"mkm"}, {VowelKind::TwoLetter}}, 60},
    {"Mmkm", "mmkm", {{"mmkm"}}, 60},
    {"Mkmm", "mkmm", {{"mkmm"}}, 60},
    {"Mmkmm", "mmkmm", {{"mmkmm"}}, 60},
    // Three consonants or more together: straat, strand, herfst.
    {"ThreeConsonants", "drie-medeklinkers", {{"mmmkm", "mmmkmm", "mkmmm", "mkmmmm"}}, 25},
    {"NgNk", "ng-nk", {{"mkN", "mmkN", "mmmkN"}}, 25},
    // bo-men, ta-fel, e-zel: one consonant between the vowels.
    {"TwoSyllablesOpen", "twee-open", {{"mkmkm", "mmkmkm", "kmkm"}}, 60},
    // tak-ken, win-ter, ap-pel: a short vowel and two consonants between.
    {"TwoSyllablesClosed", "twee-gesloten", {{"mkmmkm", "mmkmmkm", "kmmkm"}, {Short}}, 60},
};

TEST(WordSets, AreTheStepsInTheReadingMethodsOrderWithACaptionEach)
{
    const auto sets = word_sets();
    ASSERT_EQ(sets.size(), set_cases.size());
    for (std::size_t i = 0; i < sets.size(); ++i) {
        EXPECT_EQ(sets[i].key, set_cases[i].key) << "set " << i;
        EXPECT_FALSE(sets[i].caption.empty()) << sets[i].key;
    }
}

class WordSet : public ::testing::TestWithParam<SetCase>
{
protected:
    Words words() const
    {
        for (const auto& set : word_sets())
            if (set.key == GetParam().key)
                return set.words;
        ADD_FAILURE() << "no set " << GetParam().key;
        return {};
    }
};

TEST_P(WordSet, HasEnoughWordsInLowerCaseEachOnce)
{
    EXPECT_GE(words().size(), GetParam().minimum);
    EXPECT_EQ(testing::not_lower_case(words()), Found{});
    EXPECT_EQ(testing::repeated(words()), Found{});
}

TEST_P(WordSet, IsInDebiansDutchWordList)
{
    EXPECT_EQ(testing::missing_from(words(), dutch_words()), Found{});
}

TEST_P(WordSet, HasTheStructureOfItsStep)
{
    EXPECT_EQ(testing::off_shape(words(), GetParam().shape), Found{});
}

TEST_P(WordSet, HoldsNoRudeOrHurtfulWord)
{
    EXPECT_EQ(testing::blocked(words(), blocklist()), Found{});
}

INSTANTIATE_TEST_SUITE_P(BuiltIn, WordSet, ::testing::ValuesIn(set_cases), case_name);

struct ClassesCase {
    const char* name;
    std::string_view word;
    std::string classes;
    std::string first_vowel;
};

class LetterClasses : public ::testing::TestWithParam<ClassesCase>
{
};

TEST_P(LetterClasses, GiveOneLetterPerSound)
{
    const auto s = testing::sounds(GetParam().word);
    EXPECT_EQ(s.classes, GetParam().classes);
    EXPECT_EQ(s.first_vowel, GetParam().first_vowel);
}

INSTANTIATE_TEST_SUITE_P(
    Words, LetterClasses,
    ::testing::Values(ClassesCase{"ShortVowel", "kat", "mkm", "a"},
                      ClassesCase{"LongVowel", "maan", "mkm", "aa"},
                      ClassesCase{"TwoLetterVowel", "huis", "mkm", "ui"},
                      ClassesCase{"IjIsAVowel", "dijk", "mkm", "ij"},
                      ClassesCase{"ChIsOneSound", "lucht", "mkmm", "u"},
                      ClassesCase{"SchIsTwoSounds", "schip", "mmkm", "i"},
                      ClassesCase{"SchBeforeAThird", "schrik", "mmmkm", "i"},
                      ClassesCase{"NgIsOneGroup", "slang", "mmkN", "a"},
                      ClassesCase{"NkIsOneGroup", "bank", "mkN", "a"},
                      ClassesCase{"FourTogether", "herfst", "mkmmmm", "e"},
                      ClassesCase{"TwoSyllables", "bomen", "mkmkm", "o"},
                      ClassesCase{"LongestVowelGroupFirst", "leeuw", "mk", "eeuw"},
                      ClassesCase{"LaterGroupEndsInAVowel", "vrouw", "mmk", "ouw"},
                      ClassesCase{"NotALowerCaseLetter", "Kaas", "?km", "aa"}),
    case_name);

// Each check reports exactly the one bad word planted among good ones.
struct PlantedCase {
    const char* name;
    std::function<Found(Words)> check;
    std::string_view planted;
};

class PlantedWord : public ::testing::TestWithParam<PlantedCase>
{
};

TEST_P(PlantedWord, IsTheOneReported)
{
    const std::vector<std::string_view> list = {"kat", "vis", GetParam().planted, "bus"};
    EXPECT_EQ(GetParam().check(list), Found{std::string(GetParam().planted)});
}

const WordFile small_dictionary = {"kat", "vis", "bus"};
const WordFile small_blocklist = {"kut", "lul"};

INSTANTIATE_TEST_SUITE_P(
    Checks, PlantedWord,
    ::testing::Values(
        PlantedCase{"NotInTheDictionary",
                    [](Words w) { return testing::missing_from(w, small_dictionary); }, "katt"},
        PlantedCase{"OtherStructure",
                    [](Words w) {
                        return testing::off_shape(w, {{"mkm"}, {Short}});
                    },
                    "kast"},
        PlantedCase{"OtherVowelKind",
                    [](Words w) {
                        return testing::off_shape(w, {{"mkm"}, {Short}});
                    },
                    "boom"},
        PlantedCase{"Blocked", [](Words w) { return testing::blocked(w, small_blocklist); }, "kut"},
        PlantedCase{"BlockedAsAWholeWord",
                    [](Words w) { return testing::blocked(w, small_blocklist); }, "een Lul"},
        PlantedCase{"RealBlocklist", [](Words w) { return testing::blocked(w, blocklist()); },
                    "kanker"},
        PlantedCase{"NotLowerCase", [](Words w) { return testing::not_lower_case(w); }, "Vos"},
        PlantedCase{"Repeated", [](Words w) { return testing::repeated(w); }, "vis"}),
    case_name);

} // namespace
} // namespace klankflits
