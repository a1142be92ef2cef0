// Browse (button 1025) of the main dialog: a Fluent folder that discovery did not find.
#include "base/launch_log_win.h"
#include "base/settings_store_win.h"
#include "base/setting_names.h"
#include "base/user_prompts_win.h"
#include "discovery/fluent_folder_messages.h"
#include "discovery/fluent_folders_win.h"
#include "resources/resource.h"
#include "texts/main_dialog_texts.h"
#include "ui/launcher_dlg_win.h"

namespace qv {

// The picker opens again until the user picks a folder with exactly one release and one
// executable, or gives up; an unsupported version ends the command.
void CLauncherDlg::BrowseFluentFolder() {
    if (RefusesCommands()) return;
    for (;;) {
        const FolderChoice choice = Prompts().ChooseFolder(
            Window(), Pick(main_dialog_texts::BrowseTitle), FolderPicker::Modern);
        if (choice.outcome != FolderChoice::Outcome::Picked) return;
        const FluentFolderResolution resolution = ResolveFluentFolder(choice.path);
        if (const Message* problem = FluentFolderProblem(resolution, FluentFolderAsker::Browse)) {
            Log(LogLevel::Error, DescribeFluentFolder(choice.path));
            ShowMessage(Window(), problem->key,
                        FluentFolderProblemText(resolution, FluentFolderAsker::Browse),
                        captions::Error, MB_OK | MB_ICONERROR);
            if (resolution.status == FluentFolderStatus::NotExactlyOne) continue;
            return;
        }
        fluentList_.AddFluentFolder(true, resolution.folder);
        const int selected = view_.Combo(IDC_FLUENT_LIST).Selection();
        ApplyFluentVersionRule(selected);
        WriteSetting(settings::FluentFoldersUsed, fluentList_.RememberedFluentPaths(selected));
        return;
    }
}

} // namespace qv
