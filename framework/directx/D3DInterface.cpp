#include "framework/directx/D3DInterface.h"

#include "framework/graphics/MemoryImage.h"

namespace Zest {

std::string gD3DErrorString;
std::atomic<bool> gD3DFrameFailed = false;

bool D3DInterface::InitFromDDInterface(DDInterface*)
{
    gD3DErrorString = "InitFromDDInterface: 3D drawing is not available";
    return false;
}

void D3DInterface::Cleanup() {}

void D3DInterface::Flush() {}

void D3DInterface::RemoveImage(MemoryImage* image) { image->mTextureData = nullptr; }

bool D3DInterface::RecoverBits(MemoryImage*) { return false; }

} // namespace Zest
