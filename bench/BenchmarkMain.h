#pragma once

// The start of every benchmark program: Qt's offscreen platform unless another one is
// chosen, the application object, then Google Benchmark. `ready` runs once both exist, with
// the arguments Google Benchmark left over; when it answers false the program ends with 1.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

inline int runBenchmarks(int argc, char** argv, const std::function<bool(int argc, char** argv)>& ready = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (ready && !ready(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
