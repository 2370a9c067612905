// Holds Wine's desktop open for bench_wine.sh. Wine ends its desktop process (explorer.exe)
// once no program uses the desktop, and the next program to start starts it again: every
// measured start would then include that process's own start, which a Windows session never
// repeats. Running beside the measured programs, this keeps the desktop as a session has it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    GetDesktopWindow(); // joins the desktop, which starts its process if it is not up
    Sleep(INFINITE);
    return 0;
}
