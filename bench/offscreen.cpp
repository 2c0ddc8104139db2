// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/offscreen.h"

#include "gui/platform/widgetbusypointer.h"

#include <QApplication>
#include <QByteArray>

#include <benchmark/benchmark.h>

namespace lexalon::bench {

int runOffscreen(int argc, char **argv, const std::function<void()> &cleanUp)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (cleanUp)
        cleanUp();
    return 0;
}

ScriptedWindowServices::ScriptedWindowServices()
    : services{messages, dialogs, printing, widgetBusyPointer, [](QWidget &) {}}
{
}

} // namespace lexalon::bench
