// Test runner for tests that need the application object.
#include "app/Application.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display. (InitGoogleTest has taken the flag
    // out of argv, so it is asked for here.)
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    pluviane::setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    pluviane::setApplicationNames();
    // No test may read or write the user's own settings file.
    QStandardPaths::setTestModeEnabled(true);
    return RUN_ALL_TESTS();
}
