#include <gtest/gtest.h>

#include "platform/os_version.h"

TEST(OsVersionClassification, WholeTable) {
    constexpr unsigned long k9x = 1, kNt = 2;
    struct Case {
        const char* system;
        unsigned long platform, major, minor;
        OsClass expected;
    } cases[] = {
        {"Windows 95", k9x, 4, 0, OS_WIN95},
        {"Windows 98", k9x, 4, 10, OS_WIN98},
        {"Windows Me", k9x, 4, 90, OS_WIN98},
        {"9x 4.3", k9x, 4, 3, OS_UNKNOWN},
        {"9x 5.0", k9x, 5, 0, OS_UNKNOWN},
        {"9x 3.10", k9x, 3, 10, OS_UNKNOWN},
        {"NT 3.51", kNt, 3, 51, OS_NT4},
        {"NT 4.0", kNt, 4, 0, OS_NT4},
        {"NT 0.0", kNt, 0, 0, OS_NT4},
        {"Windows 2000", kNt, 5, 0, OS_WIN2000},
        {"Windows XP", kNt, 5, 1, OS_WINXP},
        {"Server 2003 and XP x64", kNt, 5, 2, OS_WIN2003},
        {"NT 5.3", kNt, 5, 3, OS_UNKNOWN},
        {"Vista and Server 2008", kNt, 6, 0, OS_VISTA},
        {"7 and Server 2008 R2", kNt, 6, 1, OS_WIN7},
        {"8 and every later release", kNt, 6, 2, OS_WIN8},
        {"8.1 as it reports itself to a declaring manifest", kNt, 6, 3, OS_UNKNOWN},
        {"10 as it reports itself to a declaring manifest", kNt, 10, 0, OS_UNKNOWN},
        {"NT 7.0", kNt, 7, 0, OS_UNKNOWN},
        {"NT with a huge major version", kNt, 0xFFFFFFFFul, 0, OS_UNKNOWN},
        {"Win32s", 0, 3, 10, OS_WIN7},
        {"a platform id of 3", 3, 6, 2, OS_WIN7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyOsVersion(c.platform, c.major, c.minor, OS_UNKNOWN), c.expected)
            << c.system;
    }
}

TEST(OsVersionClassification, UnknownVersionsKeepTheCurrentClass) {
    EXPECT_EQ(ClassifyOsVersion(2, 6, 3, OS_WINXP), OS_WINXP);
    EXPECT_EQ(ClassifyOsVersion(1, 4, 3, OS_WIN98), OS_WIN98);
    EXPECT_EQ(ClassifyOsVersion(2, 6, 1, OS_WINXP), OS_WIN7);
}
