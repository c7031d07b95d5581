// Binds a delayed import at its first call: the program's own, smaller than the library's,
// which brought its notification hooks and unwinding data into an image that every packed
// installer carries. The DLLs imported this way (cmake: installer_delay_import) are system
// DLLs that only a rare step needs; a DLL or function that cannot be found raises the
// exception that the delayed imports of Windows programs raise for it.
#include <windows.h>
#include <delayimp.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

template <class T>
T* AtRva(RVA rva)
{
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(&__ImageBase) + rva);
}

// The exception codes of delayed imports: facility 0x6D, "module not found", "procedure not found".
constexpr DWORD kModuleNotFound = 0xC06D007E;
constexpr DWORD kProcedureNotFound = 0xC06D007F;

} // namespace

extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr import, FARPROC* slot)
{
    HMODULE* module = AtRva<HMODULE>(import->rvaHmod);
    if (!*module)
        *module = LoadLibraryA(AtRva<const char>(import->rvaDLLName));
    if (!*module)
        RaiseException(kModuleNotFound, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    // The slot's place in the address table is the function's place in the name table.
    const IMAGE_THUNK_DATA* name = AtRva<IMAGE_THUNK_DATA>(import->rvaINT) + (slot - AtRva<FARPROC>(import->rvaIAT));
    const char* procedure = IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)
                                ? reinterpret_cast<const char*>(IMAGE_ORDINAL(name->u1.Ordinal))
                                : reinterpret_cast<const char*>(AtRva<IMAGE_IMPORT_BY_NAME>(static_cast<RVA>(name->u1.AddressOfData))->Name);
    FARPROC function = GetProcAddress(*module, procedure);
    if (!function)
        RaiseException(kProcedureNotFound, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    *slot = function;
    return function;
}
