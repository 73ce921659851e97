#include "pages/port_preselection.h"

#include <cstring>
#include <iterator>

int PreselectedPortRow(const char* const* names, std::size_t count) {
    // In order of preference.
    static constexpr const char* kPatterns[] = {"LPT1", "COM1", "FILE"};
    int candidates[] = {-1, -1, -1};
    for (std::size_t row = 0; row < count && row < kMaxPortRows; ++row) {
        const char* name = names[row];
        if (!name)
            continue;
        for (std::size_t p = 0; p < std::size(kPatterns); ++p) {
            // strncmp stops at a shorter name's NUL, so it never matches.
            if (std::strncmp(name, kPatterns[p], 4) == 0)
                candidates[p] = static_cast<int>(row);
        }
    }
    for (int candidate : candidates) {
        if (candidate >= 0)
            return candidate;
    }
    return -1;
}
