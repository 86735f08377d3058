#pragma once
// What the stand-in's objects share: the lock over their state, the way every interface
// method starts (the failures tests ask for, then the lock), reference counts, and the
// base of the objects that have a single interface (clippers and palettes).

#include "platform/ddraw/Controls.h"
#include "platform/ddraw/DDraw.h"

#include <atomic>
#include <mutex>
#include <optional>

namespace DDraw {

using Win32::FAILED;
using Win32::SUCCEEDED;

// Guards the state of every object; recursive, since a method may release objects, whose
// destruction releases what they hold. Taken before the presenter's lock, never after it.
std::recursive_mutex& ObjectLock();

// One interface method: the failure a test asked of "<interfaceName>::<method>" when it is
// due, else `call` under the object lock.
template <typename Call>
HRESULT RunMethod(const char* interfaceName, const char* method, Call&& call)
{
    if (const std::optional<HRESULT> failure = TakeFailure(interfaceName, method))
        return *failure;
    const std::lock_guard lock(ObjectLock());
    return call();
}

// Starts at the one reference its creator holds.
class RefCount {
public:
    ULONG Add() { return ++mCount; }
    ULONG Drop() { return --mCount; }

private:
    std::atomic<ULONG> mCount{1};
};

// The reference count and interface lookup of an object that answers to two interfaces
// (the DirectDraw object, surfaces): one count for both, and the last Release deletes it.
class DualInterfaceObject {
public:
    DualInterfaceObject(const DualInterfaceObject&) = delete;
    DualInterfaceObject& operator=(const DualInterfaceObject&) = delete;

    ULONG AddRef() { return mReferences.Add(); }
    ULONG Release();
    // The interface of the id with a reference added, or E_NOINTERFACE.
    HRESULT QueryInterface(REFIID iid, void** object);

protected:
    DualInterfaceObject() = default;
    virtual ~DualInterfaceObject() = default;

    // The object as the interface of the id; null when it has none of that id.
    virtual void* Find(REFIID iid) = 0;

private:
    RefCount mReferences;
    LiveObject mLive;
};

// An object with one interface and no interface id of its own: QueryInterface finds
// nothing, and the last Release deletes it.
template <typename Interface>
class SingleInterfaceObject : public Interface {
public:
    explicit SingleInterfaceObject(const char* interfaceName)
        : mInterfaceName(interfaceName)
    {
    }

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        return RunMethod(mInterfaceName, "QueryInterface", [&] {
            if (object == nullptr)
                return DDERR_INVALIDPARAMS;
            *object = nullptr;
            return E_NOINTERFACE;
        });
    }

    ULONG AddRef() override
    {
        const std::lock_guard lock(ObjectLock());
        return mReferences.Add();
    }

    ULONG Release() override
    {
        const std::lock_guard lock(ObjectLock());
        const ULONG left = mReferences.Drop();
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~SingleInterfaceObject() = default;

    const char* InterfaceName() const { return mInterfaceName; }

private:
    const char* const mInterfaceName;
    RefCount mReferences;
    LiveObject mLive;
};

} // namespace DDraw
