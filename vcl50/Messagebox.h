#pragma once
// Message boxes: the flags that every widget set's MessageBox takes, the IDs it answers with,
// and which buttons a box shows.

#include <vector>

// Message box flags and results, as the platform's MessageBox takes and returns them.
constexpr int MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
              MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5;
constexpr int MB_ICONSTOP = 0x10, MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20,
              MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40;
constexpr int MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200;
constexpr int MB_SETFOREGROUND = 0x10000;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

// The buttons a message box with these flags shows, in order, and the one it defaults to.
std::vector<int> MessageBoxButtons(int flags);
int MessageBoxDefaultButton(int flags);
