#include "launch/command_line/launch_environment_win.h"

#include "base/environment_win.h"
#include "base/launch_log_win.h"

namespace qv {

void ApplyEnvironmentChange(const EnvironmentChange& change) {
    const bool done = change.value ? SetEnvironmentVariableText(change.name, *change.value)
                                   : RemoveEnvironmentVariable(change.name);
    if (!done)
        LogFailure(L"set the variable", change.name, ::GetLastError());
    else
        Log(EnvironmentChangeLogText(change));
}

void PrepareLaunchEnvironment(const LaunchEnvironmentInputs& inputs) {
    for (const EnvironmentChange& change :
         ComputeLaunchEnvironment(inputs, FindEnvironmentVariable(L"PATH")))
        ApplyEnvironmentChange(change);
}

} // namespace qv
