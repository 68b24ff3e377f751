# Writes the built-in word sets into a C++ source: a constant array of words per
# set and word_lists() over them. Run as a script (cmake -P) with
#   OUTPUT  the source to write
#   SETS    the set files joined by "|", in the order of the sets: NN-key.txt,
#           one word a line
# Blank lines and blanks around a word are dropped; the key is the file's name
# without its number and ".txt".
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" set_files "${SETS}")
set(arrays "")
set(entries "")
set(index 0)
foreach(file IN LISTS set_files)
    get_filename_component(name "${file}" NAME_WE)
    string(REGEX REPLACE "^[0-9]+-" "" key "${name}")
    file(STRINGS "${file}" lines ENCODING UTF-8)
    set(words "")
    foreach(line IN LISTS lines)
        string(STRIP "${line}" word)
        if(word STREQUAL "")
            continue()
        endif()
        string(REPLACE "\\" "\\\\" word "${word}")
        string(REPLACE "\"" "\\\"" word "${word}")
        string(APPEND words "    \"${word}\",\n")
    endforeach()
    if(words STREQUAL "")
        message(FATAL_ERROR "${file} holds no words")
    endif()
    string(APPEND arrays "constexpr std::string_view set_${index}[] = {\n${words}};\n\n")
    string(APPEND entries "    {\"${key}\", set_${index}},\n")
    math(EXPR index "${index} + 1")
endforeach()

set(source "// Written by cmake/WordLists.cmake from core/material/sets/: edit those files.
#include \"material/word_lists.h\"

#include <array>

namespace klankflits
{
namespace
{

${arrays}constexpr std::array<WordList, ${index}> lists = {{
${entries}}};

} // namespace

std::span<const WordList> word_lists()
{
    return lists;
}

} // namespace klankflits
")
file(WRITE "${OUTPUT}" "${source}")
