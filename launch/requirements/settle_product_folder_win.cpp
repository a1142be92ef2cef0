#include "launch/requirements/settle_product_folder_win.h"

#include "base/environment_broadcast_win.h"
#include "base/environment_win.h"
#include "base/launch_log_win.h"
#include "base/registry_win.h"
#include "base/settings_store_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/command_line/launch_environment_win.h"
#include "launch/requirements/product_folder_win.h"
#include "texts/launch_texts.h"

namespace qv {

namespace {

namespace texts = launch_texts;

constexpr wchar_t ProductVariable[] = L"QUORVEX_PATH";

// Picked by the user, trailing separators removed; nothing when the picker was cancelled.
std::optional<std::wstring> PickProductFolder(HWND owner) {
    for (;;) {
        const FolderChoice choice = Prompts().ChooseFolder(
            owner, Pick(texts::ProductFolderPickerTitle), FolderPicker::Legacy);
        if (choice.outcome == FolderChoice::Outcome::Cancelled) return std::nullopt;
        if (choice.outcome == FolderChoice::Outcome::Picked)
            return TrimTrailingSeparators(choice.path);
        ShowMessage(owner, texts::PickedItemHasNoPath, captions::Error, MB_OK | MB_ICONERROR);
    }
}

void StoreProductFolder(const std::wstring& folder) {
    WriteRegistryString(HKEY_CURRENT_USER, EnvironmentKeyPath, ProductVariable, folder);
    ApplyEnvironmentChange({ProductVariable, folder});
    BroadcastEnvironmentChange();
}

} // namespace

std::optional<std::wstring> SettleProductFolder(std::wstring_view fluentVersionText,
                                                std::wstring_view visualStudioYear, HWND owner) {
    const std::optional<std::wstring> variable = FindEnvironmentVariable(ProductVariable);
    std::optional<std::wstring> folder;
    if (!variable) {
        ShowMessage(owner, texts::ProductVariableMissing, captions::Warning, MB_OK | MB_ICONWARNING,
                    {ProductVariable});
        folder = PickProductFolder(owner);
        if (!folder) return std::nullopt;
    } else {
        folder = TrimTrailingSeparators(*variable);
        Log(L"product folder from " + std::wstring(ProductVariable) + L": " + *variable);
    }
    if (!VerifyProductFolder(*folder, visualStudioYear, fluentVersionText, owner))
        return std::nullopt;
    // A variable without trailing separators is taken as it is and stored nowhere.
    if (!variable || *folder != *variable) StoreProductFolder(*folder);
    return folder;
}

} // namespace qv
