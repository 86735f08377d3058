#include "platform/ddraw/Objects.h"

namespace DDraw {

std::recursive_mutex& ObjectLock()
{
    static std::recursive_mutex lock;
    return lock;
}

ULONG DualInterfaceObject::Release()
{
    const ULONG left = mReferences.Drop();
    if (left == 0)
        delete this;
    return left;
}

HRESULT DualInterfaceObject::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return DDERR_INVALIDPARAMS;
    *object = Find(iid);
    if (*object == nullptr)
        return E_NOINTERFACE;
    AddRef();
    return DD_OK;
}

} // namespace DDraw
