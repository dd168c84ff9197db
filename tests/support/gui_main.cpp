// Test runner for tests that need the application object.
#include "app/Application.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display. The flag is read from gtest itself:
    // InitGoogleTest has taken it out of argv.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    pluviane::setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    pluviane::setApplicationNames();
    // No test may read or write the user's own settings file.
    QStandardPaths::setTestModeEnabled(true);
    return RUN_ALL_TESTS();
}
