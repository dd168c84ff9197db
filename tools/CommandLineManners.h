#pragma once

// What the command-line tools share: exit codes, --help and --version, and a
// clean stop on Ctrl-C or a polite kill.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>

namespace pluviane::tool {

// The context of the texts all tools share.
struct ToolText {
    Q_DECLARE_TR_FUNCTIONS(ToolText)
};

enum Exit { Success = 0, FileError = 1, Usage = 2 };

inline volatile std::sig_atomic_t interrupted = 0; // the signal that asked to stop

// The first interrupt asks for a clean stop; a second one ends the program at once.
inline void noteInterrupt(int signal)
{
    interrupted = signal;
    std::signal(signal, SIG_DFL);
}

// The work in progress polls `interrupted` and stops, so no output is left half-written.
inline void stopOnInterrupt()
{
    std::signal(SIGINT, noteInterrupt);
    std::signal(SIGTERM, noteInterrupt);
    std::signal(SIGHUP, noteInterrupt);
}

// As shells report a command ended by a signal.
inline int interruptedExit() { return 128 + interrupted; }

// Adds --help and --version to `parser` (after the tool's own options) and
// parses `args`. False when the tool is to stop: `exitCode` is then Success
// after the help or the version, Usage after a parse error (said on stderr).
inline bool parseWithHelpAndVersion(QCommandLineParser& parser, const QStringList& args, const char* tool,
                                    const char* version, int& exitCode)
{
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  ToolText::tr("Show this help."));
    const QCommandLineOption versionOption(QStringLiteral("version"), ToolText::tr("Show the version."));
    parser.addOptions({help, versionOption});
    exitCode = Usage;
    if (!parser.parse(args)) {
        std::fprintf(stderr, "%s: %s\n", tool, qPrintable(parser.errorText()));
        return false;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        exitCode = Success;
        return false;
    }
    if (parser.isSet(versionOption)) {
        std::printf("%s %s\n", tool, version);
        exitCode = Success;
        return false;
    }
    return true;
}

} // namespace pluviane::tool
