#pragma once
// The main of the window benchmarks: the offscreen platform unless QT_QPA_PLATFORM names another, the
// application, then Google Benchmark on what is left of the command line.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>
#include <optional>

namespace vantle::bench {

// A benchmark's own command-line modes, given the arguments the application left: an exit code ends the
// program there, nothing goes on to the benchmarks.
using OwnMode = std::function<std::optional<int>(int argc, char** argv)>;

inline int runQtBenchmarks(int argc, char** argv, const OwnMode& ownMode = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication app(argc, argv);
    if (ownMode)
        if (const std::optional<int> code = ownMode(argc, argv))
            return *code;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace vantle::bench
