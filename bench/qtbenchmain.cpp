// The main of the benchmarks that need a QApplication: offscreen unless
// QT_QPA_PLATFORM says otherwise (xcb with DISPLAY set for a real display),
// with the program's font.
#include "app/programfont.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    zanpel::ApplyProgramFont(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
