// Test runner for tests that need the application object.
#include "app/Application.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display. (InitGoogleTest has taken the flag
    // out of argv, so it is asked for here.)
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    // No test may read or write the user's own settings file: each test
    // process gets a configuration folder of its own (a test may still point
    // XDG_CONFIG_HOME elsewhere).
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // Nor the user's recovery copies.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    // The tools the tests start speak English, the language their messages
    // are checked in; the windows made in here keep their own Russian, since
    // only the programs' start installs a translation.
    qputenv("LANGUAGE", "en");
    pluviane::setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    pluviane::setApplicationNames();
    return RUN_ALL_TESTS();
}
