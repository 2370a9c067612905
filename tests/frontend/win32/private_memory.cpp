// Prints the process id and the private memory in KiB (the commit charge, PagefileUsage) of
// each running process of the given executable file name, as GetProcessMemoryInfo reports
// them; Wine leaves PrivateUsage 0 for another process. Usage: private_memory tidewell.exe
#include <windows.h>

#include <cstdio>
#include <psapi.h>
#include <tlhelp32.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: private_memory <executable file name>\n");
        return 2;
    }
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, argv[1]) != 0)
            continue;
        HANDLE process =
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID);
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (process &&
            GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                 sizeof counters)) {
            std::printf("%lu %llu\n", entry.th32ProcessID,
                        static_cast<unsigned long long>(counters.PagefileUsage / 1024));
            ++found;
        }
        if (process)
            CloseHandle(process);
    }
    CloseHandle(snapshot);
    return found ? 0 : 1;
}
