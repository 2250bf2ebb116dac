#include "LocaleOverride.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "../driver/LocaleVariables.h"

namespace {

using GetLocaleInfoFunction = int(WINAPI*)(LCID, LCTYPE, LPSTR, int);
GetLocaleInfoFunction g_system = nullptr;

// Answers as the system does: the text with its zero, or the size it needs when asked with no buffer.
int WINAPI OverriddenGetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int cchData) {
    const char* variable = LocaleOverrideVariable(type & 0xFFFF);
    const char* value = variable != nullptr ? std::getenv(variable) : nullptr;
    if (value == nullptr) return g_system(locale, type, data, cchData);
    const int needed = static_cast<int>(std::strlen(value)) + 1;
    if (cchData == 0) return needed;
    if (data == nullptr || cchData < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(data, value, static_cast<std::size_t>(needed));
    return needed;
}

}  // namespace

void InstallLocaleOverride() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name != 0; ++d) {
        if (d->OriginalFirstThunk == 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "GetLocaleInfoA") != 0) continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection)) return;
            g_system = reinterpret_cast<GetLocaleInfoFunction>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(&OverriddenGetLocaleInfoA);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return;
        }
    }
}
