// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/console.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#endif

namespace Console {

QStringList arguments(int argc, char* argv[])
{
    QStringList list;
#ifdef Q_OS_WIN
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            list << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
        if (count == argc)
            return list;
        list.clear();
    }
#endif
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

void useUtf8()
{
#ifdef Q_OS_WIN
    // A GUI program has no standard handles unless they were redirected;
    // then it borrows the console of the command line that started it.
    const bool redirected = GetStdHandle(STD_OUTPUT_HANDLE) != nullptr || GetStdHandle(STD_ERROR_HANDLE) != nullptr;
    if (!redirected && GetConsoleWindow() == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    SetConsoleOutputCP(CP_UTF8);
#endif
}

}  // namespace Console
