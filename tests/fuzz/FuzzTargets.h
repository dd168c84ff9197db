#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <span>
#include <vector>

namespace pluviane::fuzz {

// One reader under fuzzing: it takes any bytes, and a fault it finds ends the
// process (a crash, a sanitizer's report, or a broken promise through
// fuzzCheck). A new reader joins by one entry in fuzzTargets() and its name in
// PLUVIANE_FUZZ_TARGETS of CMakeLists.txt (for the libFuzzer build).
struct FuzzTarget {
    const char* name;
    void (*run)(QByteArrayView input);
    std::vector<QByteArray> (*seeds)(); // well-formed inputs to mutate from
};

std::span<const FuzzTarget> fuzzTargets();
const FuzzTarget* findFuzzTarget(QByteArrayView name);

// Ends the process with `what` when a reader broke one of its promises.
void fuzzCheck(bool held, const char* what);

} // namespace pluviane::fuzz
