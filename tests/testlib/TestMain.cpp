#include "testlib/ZoneAndLocale.h"

#include <gtest/gtest.h>

#ifdef SEMESTRA_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

#include <cstdlib>
#include <cstring>

namespace {

bool onlyListingTests(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing must not need a display: CTest asks before the environment is set.
    if (onlyListingTests(argc, argv))
        return RUN_ALL_TESTS();

    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ZoneAndLocale::applyDefaults();
    TestApplication app(argc, argv);
    TestApplication::setOrganizationName(QStringLiteral("SemestraTests"));
    TestApplication::setApplicationName(QStringLiteral("SemestraTests"));
    return RUN_ALL_TESTS();
}
