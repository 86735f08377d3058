#pragma once
// The Direct3D renderer of the display. Until it exists, this stand-in reports no 3D
// support: it never starts, keeps no textures and has no scene to end, so the display
// always draws in 2D.

#include <atomic>
#include <string>

namespace Zest {

class DDInterface;
class MemoryImage;

// The last Direct3D step that failed during the current frame ("step: name"); empty when
// none.
extern std::string gD3DErrorString;
// Set when a 3D frame could not begin, cleared when one begins; the application clears it
// when a presentation fails and asks about keeping 3D at exit while it is set.
extern std::atomic<bool> gD3DFrameFailed;

class D3DInterface {
public:
    virtual ~D3DInterface() = default;

    // Starts the renderer on the display; false with gD3DErrorString set when it cannot.
    bool InitFromDDInterface(DDInterface* display);
    void Cleanup();
    // Ends the open scene, so that other drawing on the surface comes after it.
    void Flush();
    // Drops the image's textures and clears its texture data.
    void RemoveImage(MemoryImage* image);
    // Copies the picture back from the image's textures; false when they hold none.
    bool RecoverBits(MemoryImage* image);
};

} // namespace Zest
