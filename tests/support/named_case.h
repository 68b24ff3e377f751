#pragma once

#include <ostream>
#include <string>

namespace klankflits::testing
{

// A case of a parameterised test is named by its `name`: GoogleTest prints it
// so (make it visible beside the case with `using testing::PrintTo;`), and
// case_name gives the test its name.
template <typename Case>
requires requires(const Case& c)
{
    std::string(c.name);
}
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

inline constexpr auto case_name = [](const auto& info) { return std::string(info.param.name); };

} // namespace klankflits::testing
