#include "launch/launch_environment_win.h"

#include "base/environment_win.h"

namespace qv {

void PrepareLaunchEnvironment(const LaunchEnvironmentInputs& inputs) {
    for (const EnvironmentChange& change :
         ComputeLaunchEnvironment(inputs, FindEnvironmentVariable(L"PATH"))) {
        if (change.value)
            SetEnvironmentVariableText(change.name, *change.value);
        else
            RemoveEnvironmentVariable(change.name);
    }
}

} // namespace qv
