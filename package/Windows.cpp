#include "package/Windows.h"

DWORD GetVersion()
{
    return 0x08930005;
}
