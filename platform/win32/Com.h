#pragma once
// The component-object basics that the DirectX stand-ins share: result values, interface
// ids and the reference-counted base interface. The generic failure values are the
// documented ones, since the display back end names them in its error texts.

#include "platform/win32/Types.h"

#include <cstdint>

namespace Win32 {

using HRESULT = int32_t;
using ULONG = uint32_t;

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];

    bool operator==(const GUID& other) const = default;
};
using IID = GUID;
using REFIID = const IID&;

constexpr HRESULT MakeResult(const uint32_t value) { return static_cast<HRESULT>(value); }

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOTIMPL = MakeResult(0x80004001);
constexpr HRESULT E_NOINTERFACE = MakeResult(0x80004002);
constexpr HRESULT E_FAIL = MakeResult(0x80004005);
constexpr HRESULT CLASS_E_NOAGGREGATION = MakeResult(0x80040110);
constexpr HRESULT CO_E_NOTINITIALIZED = MakeResult(0x800401F0);
constexpr HRESULT E_OUTOFMEMORY = MakeResult(0x8007000E);
constexpr HRESULT E_INVALIDARG = MakeResult(0x80070057);

constexpr bool SUCCEEDED(const HRESULT result) { return result >= 0; }
constexpr bool FAILED(const HRESULT result) { return result < 0; }

// Every object starts with one reference, held by whoever created it; the last Release
// destroys it.
class IUnknown {
public:
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

} // namespace Win32
