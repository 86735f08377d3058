#pragma once
// The result values of the DirectSound stand-in, in ascending order. Where a name stands for
// a generic failure it is that value; the others are this layer's own, except the one that
// error texts and tests name.

#include "platform/win32/Com.h"

namespace DSound {

using Win32::HRESULT;
using Win32::MakeResult;
using Win32::CLASS_E_NOAGGREGATION;
using Win32::E_FAIL;
using Win32::E_INVALIDARG;
using Win32::E_NOINTERFACE;
using Win32::E_OUTOFMEMORY;

constexpr HRESULT DS_OK = 0;

constexpr HRESULT DSERR_NOINTERFACE = E_NOINTERFACE;
constexpr HRESULT DSERR_GENERIC = E_FAIL;
constexpr HRESULT DSERR_NOAGGREGATION = CLASS_E_NOAGGREGATION;
constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
constexpr HRESULT DSERR_ALLOCATED = MakeResult(0x88780001);
constexpr HRESULT DSERR_CONTROLUNAVAIL = MakeResult(0x88780002);
constexpr HRESULT DSERR_INVALIDCALL = MakeResult(0x88780003);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = MakeResult(0x88780004);
constexpr HRESULT DSERR_BADFORMAT = MakeResult(0x88780005);
constexpr HRESULT DSERR_NODRIVER = MakeResult(0x88780006);
constexpr HRESULT DSERR_ALREADYINITIALIZED = MakeResult(0x88780007);
constexpr HRESULT DSERR_BUFFERLOST = MakeResult(0x88780096);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = MakeResult(0x88780097);
constexpr HRESULT DSERR_UNINITIALIZED = MakeResult(0x88780098);

} // namespace DSound
