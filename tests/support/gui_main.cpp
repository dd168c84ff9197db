// Test runner for tests that need the application object.
#include "app/Application.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return RUN_ALL_TESTS();
    pluviane::setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    pluviane::setApplicationNames();
    // No test may read or write the user's own settings file.
    QStandardPaths::setTestModeEnabled(true);
    return RUN_ALL_TESTS();
}
