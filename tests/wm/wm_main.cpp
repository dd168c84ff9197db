// Test runner for the windows under a real window manager: a screen of its
// own (Xvfb, 1920x1080) with openbox on it, started before the application
// connects to it and ended after the tests.
#include "app/Application.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

pid_t startProgram(const char* file, char* const arguments[], int output = -1)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (output >= 0)
            dup2(output, STDOUT_FILENO);
        execvp(file, arguments);
        _exit(127);
    }
    return pid;
}

void stopProgram(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// Xvfb tells the display it took on a pipe; empty when it could not start.
std::string startScreen(pid_t& xvfb)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    char screen[] = "1920x1080x24";
    char fd[16];
    std::snprintf(fd, sizeof fd, "%d", pipeEnds[1]);
    char* const arguments[] = {const_cast<char*>("Xvfb"), const_cast<char*>("-displayfd"), fd,
                               const_cast<char*>("-screen"), const_cast<char*>("0"), screen,
                               const_cast<char*>("-nolisten"), const_cast<char*>("tcp"), nullptr};
    xvfb = startProgram("Xvfb", arguments);
    close(pipeEnds[1]);
    std::string display;
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n')
        display += c;
    close(pipeEnds[0]);
    return display.empty() ? std::string() : ":" + display;
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    pid_t xvfb = 0;
    const std::string display = startScreen(xvfb);
    if (display.empty()) {
        std::fprintf(stderr, "no Xvfb: the window manager tests are skipped\n");
        stopProgram(xvfb);
        return 0;
    }
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    char* const openboxArguments[] = {const_cast<char*>("openbox"), nullptr};
    const pid_t openbox = startProgram("openbox", openboxArguments);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    pluviane::setDefaultSurfaceFormat();
    int result = 0;
    {
        QApplication app(argc, argv);
        pluviane::setApplicationNames();
        result = RUN_ALL_TESTS();
    }
    stopProgram(openbox);
    stopProgram(xvfb);
    return result;
}
