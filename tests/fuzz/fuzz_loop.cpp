// A short fuzzing campaign without libFuzzer: each target's seeds mutated by a
// fixed sequence of random edits, so every run tries the same inputs.
//   pluviane-fuzz [TARGET] [--runs N]
#include "FuzzTargets.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <random>

using namespace pluviane::fuzz;

namespace {

using Random = std::mt19937; // seeded the same on every run

int below(Random& random, qsizetype n) { return n <= 0 ? 0 : static_cast<int>(random() % static_cast<std::uint32_t>(n)); }

// A few edits of the kinds that break readers: flipped bits, bytes set to
// edge values, runs cut out, copied, or inserted, and the input cut short.
QByteArray mutate(QByteArray input, Random& random)
{
    static const char kEdges[] = {'\0', '\n', '\r', '=', '[', ']', ';', '"', '\'', '\x0f', '\x7f', '\xff'};
    const int edits = 1 + below(random, 8);
    for (int e = 0; e < edits; ++e) {
        const int at = below(random, input.size() + 1);
        switch (below(random, 6)) {
        case 0:
            if (at < input.size())
                input[at] = static_cast<char>(input[at] ^ (1 << below(random, 8)));
            break;
        case 1:
            if (at < input.size())
                input[at] = kEdges[below(random, sizeof kEdges)];
            break;
        case 2:
            input.remove(at, below(random, 64));
            break;
        case 3:
            input.insert(at, input.mid(below(random, input.size()), below(random, 128)));
            break;
        case 4:
            input.insert(at, QByteArray(below(random, 32), kEdges[below(random, sizeof kEdges)]));
            break;
        default:
            input.truncate(at);
        }
    }
    return input;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    long runs = 2000;
    const FuzzTarget* only = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::strtol(argv[++i], nullptr, 10);
        } else if (!(only = findFuzzTarget(argv[i]))) {
            std::fprintf(stderr, "pluviane-fuzz: no target %s\n", argv[i]);
            return 2;
        }
    }
    for (const FuzzTarget& target : fuzzTargets()) {
        if (only && only != &target)
            continue;
        Random random;
        const std::vector<QByteArray> seeds = target.seeds();
        for (const QByteArray& seed : seeds)
            target.run(seed);
        QByteArray input;
        for (long run = 0; run < runs; ++run) {
            // Now and then start again from a seed, else build on the last input.
            if (run % 16 == 0 || input.size() > (1 << 17))
                input = seeds[below(random, static_cast<qsizetype>(seeds.size()))];
            input = mutate(input, random);
            target.run(input);
        }
        std::printf("%s: %ld inputs\n", target.name, runs + static_cast<long>(seeds.size()));
    }
    return 0;
}
