#include <gtest/gtest.h>

#include "pages/minimised_icon.h"

TEST(MinimisedIcon, CentredWithTruncatingDivision) {
    struct Case {
        int client, icon, expected;
    } cases[] = {
        {33, 32, 1}, {30, 32, 0}, {32, 32, 0}, {160, 32, 64}, {0, 32, -15}, {29, 32, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MinimisedIconOffset(c.client, c.icon), c.expected) << c.client << " - " << c.icon;
    }
}
