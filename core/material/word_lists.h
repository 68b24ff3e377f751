#pragma once

#include <span>
#include <string_view>

namespace klankflits
{

// One set's words as compiled in from its file, named by the file's key.
struct WordList {
    std::string_view key;
    std::span<const std::string_view> words;
};

// Every set file's words, in the files' order (the generated source).
std::span<const WordList> word_lists();

} // namespace klankflits
