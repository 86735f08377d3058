#pragma once
// The JPEG 2000 codec library ("j2k-codec.dll", built as j2k-codec.so). Programs load it by
// name and bind these plain C entry points; nothing else of the library is public.
//
// A handle decodes one picture: open it over a stream, read the picture's size, decode
// once into a caller's buffer, close it. Failures return 0 or null (or non-zero where a
// result of 0 means success) and leave a number and a text for J2K_getLastError and
// J2K_getErrorStr; both are kept per thread.

#define J2K_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

// The stream a handle reads from. `user` is the pointer given to J2K_OpenCustom.
typedef struct J2K_Callbacks {
    // Moves to `position` bytes from the start of the stream; returns 0 on success.
    int (*seek)(int position, void* user);
    // Reads up to `size` bytes into `buffer`; returns the number read, 0 at the end.
    int (*read)(void* buffer, int size, void* user);
    // Called once by J2K_Close (not when J2K_OpenCustom fails); may be null.
    void (*close)(void* user);
} J2K_Callbacks;

// The library's version number; later versions have larger numbers.
J2K_API int J2K_getVersion(void);

// Opens a raw codestream or a JP2 file read through the callbacks, which are copied;
// returns null when the stream holds neither.
J2K_API void* J2K_OpenCustom(void* user, const J2K_Callbacks* callbacks);
// The same over a file of the file system.
J2K_API void* J2K_OpenFile(const char* path);
// Releases the handle; null is ignored.
J2K_API void J2K_Close(void* handle);

// The picture's full size in pixels and its number of components; 0 on success.
J2K_API int J2K_GetInfo(void* handle, int* width, int* height, int* components);
// The picture's size at a resolution level; only level 0, the full size, is available.
// 0 on success.
J2K_API int J2K_GetResolutionDimensions(void* handle, int level, int* width, int* height);
// Decodes the picture into the caller's buffer of *size bytes, *pitch bytes a row, as
// words 0xAARRGGBB (pixels without alpha get 0xFF). Options, comma separated, may be null:
// "bpp=4" (bytes a pixel; 4 is the only output) and "rl=0" (the resolution level; only
// 0); others are ignored. A handle decodes once. 0 on success.
J2K_API int J2K_Decode(void* handle, unsigned char** buffer, int* size, const char* options, int* pitch);

// The number of the calling thread's last failure, 0 when none.
J2K_API int J2K_getLastError(void);
// The text of an error number; for the thread's last failure it carries the details.
J2K_API const char* J2K_getErrorStr(int error);

#ifdef __cplusplus
}
#endif
