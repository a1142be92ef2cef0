// The product folder from QUORVEX_PATH or from the user: asked for when the variable is missing,
// stored (per-user environment key, the launcher's environment, a broadcast) when it was picked or
// had to be corrected, verified every time.
#include "base/environment_broadcast_win.h"
#include "base/environment_win.h"
#include "base/text.h"
#include "base/settings_store_win.h"
#include "launch/requirements/settle_product_folder_win.h"
#include "tests/support/test_support_win.h"
#include "texts/language.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>
#include <string>
#include <vector>

namespace qv::test {
namespace {

// A top-level window that notes every WM_SETTINGCHANGE and its text.
class SettingChangeListener {
  public:
    SettingChangeListener() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QvSettingChangeListener";
        ::RegisterClassW(&windowClass);
        window_.reset(::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10,
                                        10, nullptr, nullptr, windowClass.hInstance, nullptr));
        heard().clear();
    }
    bool Made() const { return static_cast<bool>(window_); }
    static std::vector<std::wstring>& heard() {
        static std::vector<std::wstring> texts;
        return texts;
    }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTINGCHANGE)
            heard().push_back(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"(null)");
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    UniqueWindow window_;
};

class SettleProductFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetInterfaceLanguage(InterfaceLanguage::English);
        ASSERT_TRUE(listener_.Made());
        // What verification asks of a folder for Fluent 19.2 and Visual Studio 2019.
        for (const wchar_t* library :
             {L"HubX86.dll", L"HubX64.dll", L"HubQ4.dll", L"HubQ5.dll", L"HubQ5n.dll"})
            ASSERT_TRUE(WriteFileBytes(product_ / library, "x"));
        ASSERT_TRUE(WriteFileBytes(product_ / L"include\\19.2\\udf.h", "x") &&
                    MakeFolders(product_ / L"addon"));
    }
    void TearDown() override { SetInterfaceLanguage(language_); }
    // Settled, and every window told, as the launcher ends only after the broadcast.
    std::optional<std::wstring> Settle() {
        std::optional<std::wstring> folder = SettleProductFolder(L"19.2", L"2019", owner_);
        EXPECT_TRUE(FinishEnvironmentBroadcasts(20000));
        return folder;
    }
    std::wstring Stored() const {
        const RawValue raw = ReadRawValue(HKEY_CURRENT_USER, EnvironmentKeyPath, L"QUORVEX_PATH");
        if (!raw.exists) return L"(none)";
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
        return std::wstring(reinterpret_cast<const wchar_t*>(raw.data.data()),
                            raw.data.size() / sizeof(wchar_t));
    }

    ScriptedPrompts prompts_;
    TempFolder product_;
    ScopedVariable variable_{L"QUORVEX_PATH"};
    ScopedRegistryValue stored_{HKEY_CURRENT_USER, EnvironmentKeyPath, L"QUORVEX_PATH"};
    SettingChangeListener listener_;
    HWND owner_ = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1357));

  private:
    InterfaceLanguage language_ = CurrentInterfaceLanguage();
};

const std::wstring ProductFolderVariableMissing =
    L"Can't find environment variable \"QUORVEX_PATH\".\nPlease select Quorvex "
    L"installation folder.";

TEST_F(SettleProductFolderTest, MissingVariableAndCancelledPickerStoreNothing) {
    ASSERT_TRUE(variable_.Remove());
    EXPECT_EQ(Settle(), std::nullopt);
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, ProductFolderVariableMissing);
    EXPECT_EQ(prompts_.messages[0].caption, L"Warning");
    EXPECT_EQ(prompts_.messages[0].style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    ASSERT_EQ(prompts_.folderRequests.size(), 1u);
    EXPECT_EQ(prompts_.folderRequests[0].title, L"Select Quorvex installation folder...");
    EXPECT_EQ(prompts_.folderRequests[0].picker, FolderPicker::Legacy);
    EXPECT_EQ(prompts_.folderRequests[0].owner, owner_);
    EXPECT_EQ(Stored(), L"(none)");
    EXPECT_EQ(FindEnvironmentVariable(L"QUORVEX_PATH"), std::nullopt);
    EXPECT_TRUE(SettingChangeListener::heard().empty());
}

TEST_F(SettleProductFolderTest, APickWithoutAPathIsAskedAgainAndThePickedFolderStored) {
    ASSERT_TRUE(variable_.Remove());
    prompts_.folders = {{FolderChoice::Outcome::NoPath, L""},
                        {FolderChoice::Outcome::Picked, product_.Path() + L"\\/\\"}};
    EXPECT_EQ(Settle(), product_.Path());
    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(prompts_.messages[1].text, L"Error in getting folder. Please select again.");
    EXPECT_EQ(prompts_.messages[1].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(prompts_.folderRequests.size(), 2u);
    EXPECT_EQ(Stored(), product_.Path()) << "stored without a terminating NUL";
    EXPECT_EQ(FindEnvironmentVariable(L"QUORVEX_PATH"), product_.Path());
    EXPECT_EQ(SettingChangeListener::heard(), std::vector<std::wstring>{L"Environment"});
}

TEST_F(SettleProductFolderTest, AVariableEndingInASeparatorIsCorrectedAndStored) {
    struct Case {
        std::wstring value;
        bool stored;
    };
    for (const Case& c : {Case{product_.Path() + L"\\", true}, Case{product_.Path() + L"//", true},
                          Case{product_.Path(), false}}) {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(DeleteRegistryValue(HKEY_CURRENT_USER, EnvironmentKeyPath, L"QUORVEX_PATH"));
        SettingChangeListener::heard().clear();
        ASSERT_TRUE(variable_.Set(c.value));
        EXPECT_EQ(Settle(), product_.Path());
        EXPECT_EQ(Stored(), c.stored ? product_.Path() : L"(none)");
        EXPECT_EQ(FindEnvironmentVariable(L"QUORVEX_PATH"), c.stored ? product_.Path() : c.value);
        EXPECT_EQ(SettingChangeListener::heard().size(), c.stored ? 1u : 0u);
        EXPECT_TRUE(prompts_.messages.empty());
        EXPECT_TRUE(prompts_.folderRequests.empty());
    }
}

TEST_F(SettleProductFolderTest, AFolderThatFailsVerificationIsNotStored) {
    ASSERT_TRUE(::RemoveDirectoryW((product_ / L"addon").c_str()));
    // Picked, and set with a separator: both verified before anything is stored.
    ASSERT_TRUE(variable_.Remove());
    prompts_.folders = {{FolderChoice::Outcome::Picked, product_.Path()}};
    EXPECT_EQ(Settle(), std::nullopt);
    ASSERT_TRUE(variable_.Set(product_.Path() + L"\\"));
    EXPECT_EQ(Settle(), std::nullopt);
    ASSERT_EQ(prompts_.messages.size(), 3u);
    EXPECT_EQ(prompts_.messages[1].text, L"Can't find \"" + (product_ / L"addon") +
                                             L"\". \nThe Quorvex directory is wrong or corrupted.");
    EXPECT_EQ(prompts_.messages[2].text, prompts_.messages[1].text);
    EXPECT_EQ(Stored(), L"(none)");
    EXPECT_EQ(FindEnvironmentVariable(L"QUORVEX_PATH"), product_.Path() + L"\\");
    EXPECT_TRUE(SettingChangeListener::heard().empty());
}

TEST_F(SettleProductFolderTest, ChineseQuestionAndPickerTitle) {
    SetInterfaceLanguage(InterfaceLanguage::Chinese);
    ASSERT_TRUE(variable_.Remove());
    prompts_.folders = {{FolderChoice::Outcome::NoPath, L""}};
    EXPECT_EQ(Settle(), std::nullopt);
    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(prompts_.messages[0].text,
              L"无法找到环境变量\"QUORVEX_PATH\"\n请指定Quorvex安装目录");
    EXPECT_EQ(prompts_.messages[0].caption, L"警告");
    EXPECT_EQ(prompts_.messages[1].text, L"获取目录出错，请重新选择");
    EXPECT_EQ(prompts_.messages[1].caption, L"错误");
    EXPECT_EQ(prompts_.folderRequests[0].title, L"选择Quorvex安装目录...");
}

// A top-level window of another thread that answers the environment broadcast only once the test
// lets it go, as a busy program's window does.
class SlowListener {
  public:
    SlowListener() : thread_([this] { Run(); }) {}
    ~SlowListener() {
        Release();
        while (threadId_.load() == 0)
            ::Sleep(1);
        ::PostThreadMessageW(threadId_.load(), WM_QUIT, 0, 0);
        thread_.join();
    }
    SlowListener(const SlowListener&) = delete;
    SlowListener& operator=(const SlowListener&) = delete;

    bool Made() const {
        return WaitUntil([this] { return made_.load(); });
    }
    bool Reached() const { return ::WaitForSingleObject(reached_.get(), 0) == WAIT_OBJECT_0; }
    void Release() const { ::SetEvent(release_.get()); }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTINGCHANGE) {
            auto* self =
                reinterpret_cast<SlowListener*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
            ::SetEvent(self->reached_.get());
            ::WaitForSingleObject(self->release_.get(), 60000);
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    void Run() {
        MSG message;
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE); // the queue WM_QUIT is posted to
        threadId_.store(::GetCurrentThreadId());
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QvSlowSettingListener";
        ::RegisterClassW(&windowClass);
        UniqueWindow window(::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0,
                                              0, 10, 10, nullptr, nullptr, windowClass.hInstance,
                                              nullptr));
        ::SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        made_.store(static_cast<bool>(window));
        while (::GetMessageW(&message, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&message);
    }

    UniqueHandle reached_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    UniqueHandle release_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> made_{false};
    std::thread thread_; // last: it starts once the rest is made
};

// The launch goes on while a slow window still holds the broadcast; the log says how long the
// broadcast took once every window has answered.
TEST_F(SettleProductFolderTest, ASlowWindowDoesNotHoldTheLaunchAndTheBroadcastIsLogged) {
    SlowListener slow;
    ASSERT_TRUE(slow.Made());
    ASSERT_TRUE(variable_.Set(product_.Path() + L"\\"));
    ClearLaunchLog();
    EXPECT_EQ(SettleProductFolder(L"19.2", L"2019", owner_), product_.Path());
    ASSERT_TRUE(WaitUntil([&] { return slow.Reached(); }));
    EXPECT_FALSE(FinishEnvironmentBroadcasts(0)) << "the slow window no longer holds it";
    EXPECT_FALSE(Contains(ReadLaunchLog(), L"environment change told"));
    slow.Release();
    EXPECT_TRUE(FinishEnvironmentBroadcasts(20000));
    EXPECT_TRUE(Contains(ReadLaunchLog(), L"environment change told to the top-level windows in "))
        << ReadLaunchLog();
    EXPECT_EQ(SettingChangeListener::heard(), std::vector<std::wstring>{L"Environment"});
}

} // namespace
} // namespace qv::test
