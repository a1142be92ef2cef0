// How soon the launcher ends once it is told to: from the add-on's close signal, and from Cancel,
// to the end of its process, with the time its window took to go and the longest the dialog took
// to answer a message while its window was there. Part of qv_supervision_bench.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qv {

// The close signal as sent here, or by the simulated module of the Fluent the launcher started
// (once a file it waits for is made); Cancel.
enum class EndBy { CloseSignal, ModuleSignal, Cancel };

struct EndFigures {
    bool ok = false;
    double windowGoneMs = 0;    // from the signal or the click to the dialog's window being gone
    double processEndMs = 0;    // ... to the launcher's process having ended
    double longestAnswerMs = 0; // the longest a message took to be answered meanwhile
};

struct EndRun {
    std::wstring launcherExe;
    std::vector<std::wstring> environment; // "NAME=value" changes for the launcher
    EndBy by = EndBy::CloseSignal;
    // First OK, and the signal only once the launcher has recorded its Fluent and a while later,
    // as the add-on's module signals once its menu is loaded.
    bool launchFirst = false;
    // ... or while the launch still waits for Fluent's window.
    bool duringWait = false;
    std::wstring startedProgramsBelow; // ended after the run
    std::wstring signalGate;           // the file the simulated module waits for
    std::wstring records;              // where the stand-ins record what they did
};

EndFigures MeasureEnd(const EndRun& run);

// One line per case: the median and the worst of the runs.
void ReportEnds(const wchar_t* title, const std::vector<EndFigures>& runs);

} // namespace qv
