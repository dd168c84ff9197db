#pragma once

#include "app/AppWindows.h"
#include "model/FountainState.h"
#include "model/Random.h"

#include <QObject>
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

// A fresh fountain with all five windows, as the program starts them. The
// process random generator is reset first, so layouts repeat.
struct Program {
    Program()
    {
        processRandom().reset();
        state = std::make_unique<FountainState>();
        windows = std::make_unique<AppWindows>(*state);
    }

    std::unique_ptr<FountainState> state;
    std::unique_ptr<AppWindows> windows;
};

} // namespace pluviane::test
