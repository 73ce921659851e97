#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/port_preselection.h"

namespace {
// A list of `count` ports named PORTn:, with the given names put in place.
std::vector<std::string> Ports(std::size_t count,
                               std::vector<std::pair<std::size_t, std::string>> names) {
    std::vector<std::string> ports;
    for (std::size_t i = 0; i < count; ++i)
        ports.push_back("PORT" + std::to_string(i) + ":");
    for (auto& [row, name] : names)
        ports[row] = name;
    return ports;
}

int Preselect(const std::vector<std::string>& ports) {
    std::vector<const char*> names;
    for (const std::string& port : ports)
        names.push_back(port.c_str());
    return PreselectedPortRow(names.data(), names.size());
}
}  // namespace

TEST(PortPreselection, Rules) {
    struct Case {
        const char* name;
        std::vector<std::string> ports;
        int expected;
    } cases[] = {
        {"LPT1 wins over COM1 and FILE", Ports(6, {{0, "LPT1:"}, {3, "COM1:"}, {5, "FILE:"}}), 0},
        {"LPT1 wins wherever it stands", Ports(6, {{0, "FILE:"}, {1, "COM1:"}, {4, "LPT1:"}}), 4},
        {"the last COM1 candidate wins: COM10 counts", Ports(10, {{2, "COM1:"}, {9, "COM10:"}}), 9},
        {"FILE when there is neither", Ports(4, {{1, "FILE:"}, {2, "LPT2:"}}), 1},
        {"lower case is no candidate", Ports(4, {{0, "lpt1:"}, {1, "com1:"}, {2, "file:"}}), -1},
        {"names shorter than four bytes", {"LPT", "COM", "FIL", "", "L"}, -1},
        {"exactly four bytes match", {"COM2:", "LPT1"}, 1},
        {"no candidate", Ports(3, {}), -1},
        {"no ports", {}, -1},
        {"a candidate past row 255 is not listed", Ports(300, {{260, "LPT1:"}}), -1},
        {"row 255 is still listed", Ports(300, {{255, "LPT1:"}, {256, "COM1:"}}), 255},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Preselect(c.ports), c.expected) << c.name;
    }
}

TEST(PortPreselection, NullNamesMatchNothing) {
    const char* names[] = {"COM1:", nullptr, "FILE:"};
    EXPECT_EQ(PreselectedPortRow(names, 3), 0);
    EXPECT_EQ(kMaxPortRows, 256u);
}
