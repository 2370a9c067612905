// The Win32 backend against the real thing (Wine): registry, Run key, a second program's
// windows and process, the shell, the clipboard, the regional settings and the timer.
#include "history/clipboard_helpers.h"
#include "platform/common/safe_settings_store.h"
#include "platform/win32/balloon_notifier.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/registry.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/run_key_autostart.h"
#include "platform/win32/shell_launcher.h"
#include "platform/win32/system_clock.h"
#include "platform/win32/toolhelp_processes.h"
#include "platform/win32/wall_clock_timer.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_locale_text.h"
#include "platform/win32/win32_tray_host.h"
#include "platform/win32/win32_windows.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <sddl.h>
#include <thread>

using namespace tw;
using namespace std::chrono_literals;

namespace {

using Steady = std::chrono::steady_clock;

std::wstring folderOfSelf() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L'\\'));
}

std::wstring tempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// Runs a command line to its end; returns its exit code.
DWORD run(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return 9999;
    WaitForSingleObject(info.hProcess, 60000);
    DWORD code = 9999;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

// A UTF-16LE file (reg.exe's export), as UTF-8.
std::string readUtf16File(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (!text.empty() && text.front() == 0xFEFF)
        text.erase(0, 1);
    return narrow(text);
}

template <typename Condition> bool waitFor(Condition condition, std::chrono::milliseconds limit) {
    const auto deadline = Steady::now() + limit;
    MessagePump pump;
    while (!condition()) {
        if (Steady::now() > deadline)
            return false;
        pump.waitForEvents(20);
    }
    return true;
}

// The first line a started program writes into file, without its line end; "" when none
// comes within 30 s.
std::string firstLineOnceWritten(const std::wstring& file) {
    std::string line;
    waitFor(
        [&] {
            std::ifstream in(file.c_str());
            std::getline(in, line);
            return !line.empty();
        },
        30s);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

struct Client {
    PROCESS_INFORMATION info{};
    std::string path;
    ~Client() {
        if (info.hProcess) {
            TerminateProcess(info.hProcess, 0);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

void startClient(Client& client, const wchar_t* mode) {
    const std::wstring path = folderOfSelf() + L"\\" + widen(TEST_CLIENT_NAME);
    std::wstring commandLine = L"\"" + path + L"\" " + mode;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &client.info));
    client.path = narrow(path);
}

std::vector<WindowId> windowsOf(Win32Windows& windows, DWORD pid) {
    std::vector<WindowId> result;
    for (const TopLevelWindow& w : windows.closableWindows())
        if (w.pid == static_cast<int>(pid))
            result.push_back(w.id);
    return result;
}

HWND hwnd(WindowId id) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}

bool isVisibleWindowOf(DWORD pid, HWND window) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == pid && IsWindowVisible(window);
}

} // namespace

// Values keep their keys and exact text (non-ASCII, the list separator) in the program-
// settings area of the registry, as reg.exe exports them; a value an earlier program left
// there is read as it is.
TEST(RegistrySettings, RoundTripThroughTheRegistryAndRegExport) {
    RegistrySettingsStore store;
    const std::string list = "C:\\Prógrams\\naïve ✓\\tool.exe||||||||---|||calc.exe||||||||---|||";
    store.save("Quillmark", "Tidewell", "ListView1", list);
    store.save("Quillmark", "Tidewell", "Weekly Time", "3/7/2026 7:05:09 PM");
    EXPECT_EQ(store.get("Quillmark", "Tidewell", "ListView1", "x"), list);
    EXPECT_EQ(store.get("Quillmark", "Tidewell", "No such key", "fallback"), "fallback");
    EXPECT_EQ(store.get("No such vendor", "Tidewell", "Option1", "1"), "1");

    const std::wstring file = tempFolder(L"tidewell-reg") + L"\\export.reg";
    ASSERT_EQ(run(L"reg.exe export \"HKCU\\Software\\VB and VBA Program Settings\\Quillmark\\"
                  L"Tidewell\" \"" +
                  file + L"\" /y"),
              0u);
    const std::string exported = readUtf16File(file);
    EXPECT_NE(exported.find("[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\"
                            "Quillmark\\Tidewell]"),
              std::string::npos)
        << exported;
    EXPECT_NE(exported.find("\"ListView1\"=\"C:\\\\Prógrams\\\\naïve ✓\\\\tool.exe||||||||---|||"
                            "calc.exe||||||||---|||\""),
              std::string::npos)
        << exported;
    EXPECT_NE(exported.find("\"Weekly Time\"=\"3/7/2026 7:05:09 PM\""), std::string::npos)
        << exported;

    ASSERT_EQ(run(L"reg.exe add \"HKCU\\Software\\VB and VBA Program Settings\\Quillmark\\"
                  L"Tidewell\" /v Option1 /t REG_SZ /d 3 /f"),
              0u);
    EXPECT_EQ(store.get("Quillmark", "Tidewell", "Option1", "1"), "3");
}

// Held open for a start's run of calls, the key still answers as opening it each time would:
// a value written by another program is read, and a key deleted from outside reads as missing
// and is made again by the next write.
TEST(RegistrySettings, KeptOpenSeesChangesMadeFromOutside) {
    const std::wstring keyPath = RegistrySettingsStore::keyPath("Quillmark", "Tidewell");
    const std::wstring regKey = L"\"HKCU\\" + keyPath + L"\"";
    RegistrySettingsStore store;
    store.save("Quillmark", "Tidewell", "Text1", "5");
    store.keepOpen(true);
    EXPECT_EQ(store.get("Quillmark", "Tidewell", "Text1", "x"), "5");
    ASSERT_EQ(run(L"reg.exe add " + regKey + L" /v Text1 /t REG_SZ /d 6 /f"), 0u);
    EXPECT_EQ(store.get("Quillmark", "Tidewell", "Text1", "x"), "6");

    ASSERT_EQ(run(L"reg.exe delete " + regKey + L" /f"), 0u);
    EXPECT_EQ(store.get("Quillmark", "Tidewell", "Text1", "gone"), "gone");
    EXPECT_TRUE(store.lastGetRead());
    store.save("Quillmark", "Tidewell", "Text2", "7");
    store.keepOpen(false);
    const auto written = readUserString(keyPath, L"Text2");
    ASSERT_TRUE(written);
    EXPECT_EQ(narrow(*written), "7");
    EXPECT_FALSE(readUserString(keyPath, L"Text1"));
}

namespace {

// Gives everyone exactly the rights of an access list in SDDL form on a key under
// HKEY_CURRENT_USER, creating it as needed; false when the registry refused.
bool setKeyAccess(const std::wstring& keyPath, const wchar_t* sddl) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, WRITE_DAC, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    bool done = ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1,
                                                                     &descriptor, nullptr);
    done = done && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return done;
}

} // namespace

// The settings key's access list lets the user read it but not write it (a real refusal by
// the registry): one warning naming the key and the system's reason, the edits read back from
// memory and all written at the first change once the key can be written, and a word that
// saving works again. A key that cannot be read answers with the defaults, says so once, and
// is not written back with them.
TEST(RegistrySettings, RefusedAccessLosesNoEditAndIsToldOnce) {
    const std::wstring keyPath = RegistrySettingsStore::keyPath("Quillmark", "Tidewell");
    const std::string key = "HKEY_CURRENT_USER\\" + narrow(keyPath);
    RegistrySettingsStore registry;
    registry.save("Quillmark", "Tidewell", "Text1", "0");
    struct Restore {
        std::wstring path;
        ~Restore() { setKeyAccess(path, L"D:(A;;KA;;;WD)"); }
    } restore{keyPath};
    std::vector<std::string> told;
    SafeSettingsStore safe(registry, [&](const std::string& m) { told.push_back(m); });

    ASSERT_TRUE(setKeyAccess(keyPath, L"D:(A;;KRWD;;;WD)"));
    for (const char* typed : {"1", "12", "125"})
        EXPECT_NO_THROW(safe.save("Quillmark", "Tidewell", "Text1", typed));
    safe.save("Quillmark", "Tidewell", "Text2", "7");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(key + ": " + errorText(ERROR_ACCESS_DENIED)), std::string::npos)
        << told[0];
    EXPECT_EQ(safe.get("Quillmark", "Tidewell", "Text1", "x"), "125");
    EXPECT_EQ(registry.get("Quillmark", "Tidewell", "Text1", "x"), "0");

    ASSERT_TRUE(setKeyAccess(keyPath, L"D:(A;;KA;;;WD)"));
    safe.save("Quillmark", "Tidewell", "Text3", "9");
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[1].find("again"), std::string::npos) << told[1];
    for (const auto& [name, value] : {std::pair{"Text1", "125"}, {"Text2", "7"}, {"Text3", "9"}})
        EXPECT_EQ(registry.get("Quillmark", "Tidewell", name, "x"), value) << name;

    ASSERT_TRUE(setKeyAccess(keyPath, L"D:(A;;WD;;;WD)"));
    RegistrySettingsStore unreadable;
    SafeSettingsStore start(unreadable, [&](const std::string& m) { told.push_back(m); });
    EXPECT_EQ(start.get("Quillmark", "Tidewell", "Text1", "0"), "0");
    EXPECT_EQ(start.get("Quillmark", "Tidewell", "Text2", "30"), "30");
    EXPECT_NO_THROW(start.save("Quillmark", "Tidewell", "Text1", "0"));
    ASSERT_EQ(told.size(), 3u);
    EXPECT_NE(told[2].find(key + ": " + errorText(ERROR_ACCESS_DENIED)), std::string::npos)
        << told[2];
    ASSERT_TRUE(setKeyAccess(keyPath, L"D:(A;;KA;;;WD)"));
    EXPECT_EQ(registry.get("Quillmark", "Tidewell", "Text1", "x"), "125");
}

// The Run value is named after the executable and holds its quoted path, so a folder with
// blanks cannot start another program; removing twice is no failure.
TEST(RunKey, AddsTheQuotedPathAndRemovesIt) {
    const std::string exe = "C:\\Users\\Jane Doe\\AppData\\Local\\Programs\\Tidewell\\tidewell.exe";
    RunKeyAutostart autostart(exe);
    ASSERT_EQ(autostart.executableName(), "tidewell.exe");
    autostart.add("tidewell.exe");
    const auto value = readUserString(RunKeyAutostart::kRunKey, L"tidewell.exe");
    ASSERT_TRUE(value);
    EXPECT_EQ(narrow(*value), "\"" + exe + "\"");
    EXPECT_TRUE(autostart.startsThisProgram("tidewell.exe"));
    // A value left by another install of the program starts that one, not this.
    RunKeyAutostart other("C:\\Program Files (x86)\\Old\\tidewell.exe");
    EXPECT_FALSE(other.startsThisProgram("tidewell.exe"));
    autostart.remove("tidewell.exe");
    EXPECT_FALSE(readUserString(RunKeyAutostart::kRunKey, L"tidewell.exe"));
    EXPECT_FALSE(autostart.startsThisProgram("tidewell.exe"));
    EXPECT_NO_THROW(autostart.remove("tidewell.exe"));
    EXPECT_THROW(autostart.add("a\\b"), std::runtime_error);
}

// The older program's value in the machine-wide Run key, which a 32-bit program writes into
// the 32-bit view, is found from either build; it is only read, never changed.
TEST(RunKey, FindsTheOlderProgramsMachineWideValue) {
    RunKeyAutostart autostart(
        "C:\\Users\\José Ñúñez\\AppData\\Local\\Programs\\Tidewell\\tidewell.exe");
    ASSERT_FALSE(autostart.machineWideEntry("tidewell.exe"));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, RunKeyAutostart::kRunKey, 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring old = L"C:\\Program Files\\Larkmoor\\tidewell.exe";
    ASSERT_EQ(RegSetValueExW(key, L"tidewell.exe", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(old.c_str()),
                             static_cast<DWORD>((old.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    const auto entry = autostart.machineWideEntry("tidewell.exe");
    RegDeleteValueW(key, L"tidewell.exe");
    RegCloseKey(key);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, "tidewell.exe");
    EXPECT_EQ(entry->command, narrow(old));
    EXPECT_EQ(entry->location.rfind("HKEY_LOCAL_MACHINE\\SOFTWARE\\", 0), 0u) << entry->location;
    EXPECT_NE(entry->location.find("\\Microsoft\\Windows\\CurrentVersion\\Run"), std::string::npos);
    EXPECT_FALSE(autostart.machineWideEntry("tidewell.exe"));
}

// A second program's window is found by its process, asked to close, and is gone well
// within the wait; its process ends by itself.
TEST(WindowsAndProcesses, ClosesAPoliteProgramsWindow) {
    Client client;
    ASSERT_NO_FATAL_FAILURE(startClient(client, L"polite"));
    Win32Windows windows;
    std::vector<WindowId> found;
    ASSERT_TRUE(waitFor(
        [&] { return !(found = windowsOf(windows, client.info.dwProcessId)).empty(); }, 20s));
    // The client reads its messages by now: on a loaded machine its window can be there well
    // before its message loop runs, and that wait is not the close's.
    DWORD_PTR answer = 0;
    ASSERT_TRUE(
        SendMessageTimeoutW(hwnd(found.front()), WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer));
    const auto asked = Steady::now();
    windows.requestClose(found.front());
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - asked);
    EXPECT_FALSE(IsWindow(hwnd(found.front())));
    std::printf("close request answered in %lld ms\n", static_cast<long long>(took.count()));
    EXPECT_LT(took.count(), Win32Windows::kDefaultCloseWaitMs);
    EXPECT_EQ(WaitForSingleObject(client.info.hProcess, 30000), WAIT_OBJECT_0);
}

// A program that answers with a question keeps its window; the question, owned by the
// window we asked, is left to the user; the process is then found by its path and killed.
// Neither we nor the session's shell can be killed.
TEST(WindowsAndProcesses, LeavesTheQuestionAndKillsByPath) {
    Client client;
    ASSERT_NO_FATAL_FAILURE(startClient(client, L"asks"));
    const DWORD pid = client.info.dwProcessId;
    Win32Windows windows(nullptr, 1000);
    std::vector<WindowId> found;
    ASSERT_TRUE(waitFor([&] { return !(found = windowsOf(windows, pid)).empty(); }, 20s));
    const HWND main = hwnd(found.front());
    windows.requestClose(found.front());
    EXPECT_TRUE(IsWindow(main));
    HWND question = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            question = nullptr;
            for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
                if (isVisibleWindowOf(pid, w) && GetWindow(w, GW_OWNER) == main)
                    question = w;
            return question != nullptr;
        },
        20s));
    found = windowsOf(windows, pid);
    EXPECT_NE(std::find(found.begin(), found.end(), reinterpret_cast<std::uintptr_t>(main)),
              found.end());
    EXPECT_EQ(std::find(found.begin(), found.end(), reinterpret_cast<std::uintptr_t>(question)),
              found.end());

    ToolhelpProcesses processes;
    ProcessInfo target;
    for (const ProcessInfo& p : processes.list())
        if (p.pid == static_cast<int>(pid))
            target = p;
    ASSERT_EQ(target.path, client.path);
    EXPECT_EQ(target.name, TEST_CLIENT_NAME);
    ProcessInfo self;
    ProcessInfo shell;
    DWORD shellPid = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &shellPid);
    for (const ProcessInfo& p : processes.list()) {
        if (p.pid == processes.selfPid())
            self = p;
        if (p.pid == static_cast<int>(shellPid))
            shell = p;
    }
    EXPECT_FALSE(processes.kill(self));
    if (shell.pid != 0) {
        EXPECT_FALSE(processes.kill(shell)) << shell.path;
    }
    ProcessInfo changed = target;
    changed.path += ".old";
    EXPECT_FALSE(processes.kill(changed));
    EXPECT_TRUE(processes.kill(target));
    EXPECT_EQ(WaitForSingleObject(client.info.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(client.info.hProcess, &code);
    EXPECT_EQ(code, 0u);
}

// A batch file opens through the shell without our waiting, in the system drive's root;
// a missing file is a reported failure, not a silent success.
TEST(Launcher, RunsABatchFileInTheSystemDrivesRoot) {
    const std::wstring folder = tempFolder(L"tidewell launch ✓");
    const std::wstring result = folder + L"\\where.txt";
    DeleteFileW(result.c_str());
    {
        std::ofstream bat((folder + L"\\where.bat").c_str(), std::ios::binary);
        bat << "@cd > \"%~dp0where.txt\"\r\n";
    }
    ShellLauncher launcher;
    launcher.openFile(narrow(folder + L"\\where.bat"), "/");
    const std::string where = firstLineOnceWritten(result);
    EXPECT_EQ(where, ShellLauncher::launchDirectory("/"));
    EXPECT_EQ(where.substr(1), ":\\");
    EXPECT_THROW(launcher.openFile("C:\\no such folder\\tool.exe /s", "/"), LaunchFailed);
}

// A file opens with its type's default action, as a double click in Explorer does, even
// when that action is not "open".
TEST(Launcher, UsesTheTypesDefaultAction) {
    const std::wstring folder = tempFolder(L"tidewell verb ✓");
    const std::wstring result = folder + L"\\verb.txt";
    DeleteFileW(result.c_str());
    // Wine's shell reads file types from HKEY_CLASSES_ROOT only, not the user's part of it.
    const auto setDefault = [](const std::wstring& key, const std::wstring& value) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(k);
    };
    setDefault(L".twverb", L"Tidewell.VerbTest");
    setDefault(L"Tidewell.VerbTest\\shell", L"go");
    for (const wchar_t* verb : {L"open", L"go"})
        setDefault(std::wstring(L"Tidewell.VerbTest\\shell\\") + verb + L"\\command",
                   L"cmd.exe /c echo " + std::wstring(verb) + L"> \"" + result + L"\"");
    { std::ofstream file((folder + L"\\sample.twverb").c_str()); }
    ShellLauncher().openFile(narrow(folder + L"\\sample.twverb"), "/");
    EXPECT_EQ(firstLineOnceWritten(result), "go");

    // The sample program as the description writes it, and named as its users know it.
    ShellLauncher launcher;
    EXPECT_EQ(launcher.editorPath(), launcher.editorDirectory() + "\\notepad.exe");
    EXPECT_EQ(launcher.editorPath().find('/'), std::string::npos);
    EXPECT_EQ(launcher.editorTitle(), "Notepad");
}

// The text placed is the clipboard's Unicode text (clipboard_x_test.sh then reads it in X).
TEST(Clipboard, PlacesUnicodeText) {
    wchar_t given[256];
    const DWORD length = GetEnvironmentVariableW(L"TIDEWELL_CLIPBOARD_TEXT", given, 256);
    const std::string text =
        length > 0 && length < 256 ? narrow(given, length) : "Tidewell ✓ naïve";
    Win32Clipboard clipboard;
    // Placed as the program places it: Wine's desktop process holds the clipboard open for
    // a moment while it hands it to the X session, and each attempt then fails.
    ASSERT_TRUE(putTextOnClipboard(clipboard, text, 0));
    const auto deadline = Steady::now() + 5s;
    bool opened = false;
    while (!(opened = OpenClipboard(nullptr) != FALSE) && Steady::now() < deadline)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(opened) << "the clipboard stayed held";
    const auto* data = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(narrow(data), text);
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
}

// A failed firing's notification is a balloon at our icon, which the shell takes while the
// icon is in the notification area, and only then.
TEST(Notifications, BalloonAtTheTrayIconIsTakenWhileTheIconIsThere) {
    Win32TrayHost tray(GetModuleHandleW(nullptr));
    BalloonNotifier notifier(tray);
    const std::string title = "Tidewell \xE2\x80\x94 a scheduled firing failed";
    const std::string body = "Run file C:\\gone.exe \xE2\x80\x94 not started: The system cannot "
                             "find the file specified.\nand 1 more (see the history)";
    EXPECT_FALSE(notifier.notify(title, body)) << "no icon yet";
    if (!tray.areaRunning())
        GTEST_SKIP() << "no notification area in this session";
    const Win32Icon icon(LoadIconW(nullptr, IDI_APPLICATION));
    tray.add(&icon, "Tidewell test");
    EXPECT_TRUE(notifier.notify(title, body));
    tray.remove();
    EXPECT_FALSE(notifier.notify(title, body)) << "a removed icon is not put back for a balloon";
}

// The icon asked for during start-up reaches the shell once the message loop runs, and again
// after the shell restarts, as the shell tells the top-level windows; one removed before the
// loop runs never reaches it.
TEST(Notifications, TrayIconReachesTheShellFromTheLoopAndAfterItsRestart) {
    Win32TrayHost tray(GetModuleHandleW(nullptr));
    if (!tray.areaRunning())
        GTEST_SKIP() << "no notification area in this session";
    const auto runLoop = [] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    };
    // The shell takes a change only to an icon it has.
    const auto shellHasIcon = [&tray] {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = tray.window();
        data.uFlags = NIF_TIP;
        return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
    };
    const Win32Icon icon(LoadIconW(nullptr, IDI_APPLICATION));
    tray.add(&icon, "Tidewell test");
    runLoop();
    EXPECT_TRUE(shellHasIcon());
    // A restarted shell has forgotten every icon.
    NOTIFYICONDATAW forget{};
    forget.cbSize = sizeof forget;
    forget.hWnd = tray.window();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forget));
    ASSERT_TRUE(PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0));
    runLoop();
    EXPECT_TRUE(shellHasIcon()) << "the icon was not put back after the shell's restart";
    tray.remove();
    EXPECT_FALSE(shellHasIcon());
    tray.add(&icon, "Tidewell test");
    tray.remove();
    runLoop();
    EXPECT_FALSE(shellHasIcon()) << "a removed icon came back";
}

// The user's own forms go both ways; numbers take sign, digits and decimals only.
TEST(RegionalSettings, DatesTimesAndNumbersRoundTrip) {
    const bool oleAutomationWasLoaded = GetModuleHandleW(L"oleaut32.dll") != nullptr;
    Win32LocaleText locale;
    // Every hour of the day, as stored: on a 12-hour clock midnight and noon both show 12.
    for (int hour = 0; hour < 24; ++hour) {
        const std::string time = locale.longTime(hour, 5, 59);
        EXPECT_EQ(locale.parseDateTime(time), (LocalDateTime{1899, 12, 30, hour, 5, 59})) << time;
    }
    EXPECT_EQ(locale.parseNumber(" 12 "), 12.0);
    EXPECT_EQ(locale.parseNumber("-3"), -3.0);
    EXPECT_EQ(locale.parseNumber("+2.5"), 2.5);
    EXPECT_EQ(locale.parseNumber(".5"), 0.5);
    // Stored times and numbers are read without the locale's own conversions: their library,
    // and the COM runtime it brings, would cost every start its loading.
    if (!oleAutomationWasLoaded) {
        EXPECT_FALSE(GetModuleHandleW(L"oleaut32.dll"));
    }
    const LocalDateTime when{2026, 3, 7, 19, 5, 9};
    const std::string general = locale.generalDate(when);
    EXPECT_EQ(locale.parseDateTime(general), when) << general;
    EXPECT_EQ(locale.generalDate({2026, 3, 7, 0, 0, 0}).find(' '), std::string::npos);
    EXPECT_FALSE(locale.parseDateTime("next tuesday"));
    EXPECT_FALSE(locale.parseNumber(""));
    EXPECT_FALSE(locale.parseNumber("1e3"));
    EXPECT_FALSE(locale.parseNumber("12abc"));
    EXPECT_EQ(locale.upper("notepad.exe é"), "NOTEPAD.EXE É");
}

// Ticks come once per second, each for its own second and never before it begins; the
// process's timers share one waiting thread, and one ending leaves the others ticking.
TEST(WallClock, TicksAtEachSecondsStart) {
    WallClockTimer timer;
    auto other = std::make_unique<WallClockTimer>();
    int otherTicks = 0;
    other->setHandler([&] { ++otherTicks; });
    other->setInterval(1000);
    other->setEnabled(true);
    SystemClock clock;
    std::vector<LocalDateTime> stood;
    std::vector<std::int64_t> lateMs;
    timer.setHandler([&] {
        const std::int64_t now = wallClockMs();
        stood.push_back(*timer.tickTime());
        lateMs.push_back(now % 1000);
        // Never early: the clock already shows the tick's second (or a later one, when late).
        EXPECT_NE(clock.now().secondOfDay(), (stood.back().secondOfDay() + 86399) % 86400);
    });
    timer.setInterval(1000);
    timer.setEnabled(true);
    MessagePump pump;
    const auto deadline = Steady::now() + 20s;
    while (stood.size() < 4 && Steady::now() < deadline) {
        pump.waitForEvents(1000);
        if (other && stood.size() == 2) {
            EXPECT_GE(otherTicks, 1);
            other.reset();
        }
    }
    timer.setEnabled(false);
    ASSERT_EQ(stood.size(), 4u);
    for (std::size_t i = 1; i < stood.size(); ++i)
        EXPECT_EQ(stood[i].secondOfDay(), (stood[i - 1].secondOfDay() + 1) % 86400);
    std::printf("high resolution: %s; ticks came", timer.highResolution() ? "yes" : "no");
    for (const auto ms : lateMs)
        std::printf(" %lld", static_cast<long long>(ms));
    std::printf(" ms after their second\n");
}
