// One target under libFuzzer; PLUVIANE_FUZZ_TARGET names it at build time.
//   build/fuzz-settings -max_total_time=60 corpus/
#include "FuzzTargets.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace pluviane::fuzz;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    if (!findFuzzTarget(PLUVIANE_FUZZ_TARGET)) {
        std::fprintf(stderr, "no fuzz target " PLUVIANE_FUZZ_TARGET "\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FuzzTarget* target = findFuzzTarget(PLUVIANE_FUZZ_TARGET);
    target->run(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    return 0;
}
