#pragma once

#include "app/AppWindows.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/FountainState.h"
#include "model/Random.h"

#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

#include <memory>

namespace pluviane::test {

// Finds a named control below `root`; fails the test when it is missing.
template <typename T>
T* control(const QObject* root, const char* name)
{
    T* found = root->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
}

// Whether a text holds a Cyrillic letter, that is a Russian word.
inline bool russian(const QString& text)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(cyrillic);
}

// A fresh fountain with all five windows, as the program starts them. The
// process random generator is reset first, so layouts repeat.
struct Program {
    Program()
    {
        processRandom().reset();
        state = std::make_unique<FountainState>();
        windows = std::make_unique<AppWindows>(*state);
        // No test may wait on a real dialog: questions are answered No.
        windows->editor().fileCommands().setPrompter(
            std::make_unique<UnattendedPrompter>([](const QString&, const QString&) {}));
    }

    std::unique_ptr<FountainState> state;
    std::unique_ptr<AppWindows> windows;
};

} // namespace pluviane::test
