// JPEG through libjpeg, read through a source manager over the pak file calls. libjpeg's
// fatal errors jump back to the setjmp of the function that called it, so those functions
// keep only plain values in their frames; objects with destructors live in their callers,
// which the jump never crosses.

#include "framework/resources/ImageLib.h"
#include "framework/resources/PakFile.h"

#include <cstddef>
#include <cstdio>
#include <csetjmp>

// libjpeg's headers expect FILE and size_t to be declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace ImageLib {

namespace {

constexpr size_t kInputBufferSize = 4096;
constexpr int kWriteQuality = 80;

struct JpegErrorManager {
    jpeg_error_mgr mManager;
    std::jmp_buf mJumpBuffer;
};

struct PakJpegSource {
    jpeg_source_mgr mManager;
    Zest::PakFileHandle* mFile;
    JOCTET* mBuffer;
    bool mStartOfFile;
};

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

uint32_t OpaquePixel(const uint32_t red, const uint32_t green, const uint32_t blue)
{
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

} // namespace

void JpegErrorExit(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->mJumpBuffer, 1);
}

void PakJpegInitSource(j_decompress_ptr info)
{
    reinterpret_cast<PakJpegSource*>(info->src)->mStartOfFile = true;
}

// An early end of the file is not fatal: an end-of-image code takes the place of the
// missing data, so that what arrived is still decoded.
boolean PakJpegFillInputBuffer(j_decompress_ptr info)
{
    auto* const source = reinterpret_cast<PakJpegSource*>(info->src);
    size_t count = Zest::PakFRead(source->mBuffer, 1, static_cast<int>(kInputBufferSize), source->mFile);
    if (count == 0) {
        if (source->mStartOfFile)
            ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        source->mBuffer[0] = 0xFF;
        source->mBuffer[1] = JPEG_EOI;
        count = 2;
    }
    source->mManager.next_input_byte = source->mBuffer;
    source->mManager.bytes_in_buffer = count;
    source->mStartOfFile = false;
    return TRUE;
}

void PakJpegSkipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* const source = info->src;
    while (static_cast<size_t>(count) > source->bytes_in_buffer) {
        count -= static_cast<long>(source->bytes_in_buffer);
        PakJpegFillInputBuffer(info);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

void PakJpegTermSource(j_decompress_ptr)
{
}

void PakJpegSetSource(j_decompress_ptr info, Zest::PakFileHandle* file)
{
    if (info->src == nullptr) {
        auto* const source = static_cast<PakJpegSource*>(
            (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(PakJpegSource)));
        source->mBuffer = static_cast<JOCTET*>(
            (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, kInputBufferSize));
        info->src = &source->mManager;
    }
    auto* const source = reinterpret_cast<PakJpegSource*>(info->src);
    source->mManager.init_source = PakJpegInitSource;
    source->mManager.fill_input_buffer = PakJpegFillInputBuffer;
    source->mManager.skip_input_data = PakJpegSkipInputData;
    source->mManager.resync_to_restart = jpeg_resync_to_restart;
    source->mManager.term_source = PakJpegTermSource;
    source->mManager.next_input_byte = nullptr;
    source->mManager.bytes_in_buffer = 0;
    source->mFile = file;
}

namespace {

// Decodes greyscale and three-component (YCbCr or RGB) files; others, whose samples are
// not R, G, B, are refused. The picture is made as soon as the size is known.
bool DecodeJpeg(Zest::PakFileHandle* file, std::unique_ptr<Image>& image)
{
    jpeg_decompress_struct info;
    JpegErrorManager error;
    info.err = jpeg_std_error(&error.mManager);
    error.mManager.error_exit = JpegErrorExit;
    if (setjmp(error.mJumpBuffer)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    PakJpegSetSource(&info, file);
    jpeg_read_header(&info, TRUE);
    if ((info.out_color_space != JCS_GRAYSCALE && info.out_color_space != JCS_RGB) ||
        int64_t{info.image_width} * info.image_height > kMaxImagePixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    image = CreateImage(info.output_width, info.output_height, InitialPixels::kUndefined);
    if (image == nullptr) {
        jpeg_destroy_decompress(&info);
        return false;
    }

    const bool grey = info.output_components == 1;
    const JSAMPARRAY line = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                      info.output_width * info.output_components, 1);
    while (info.output_scanline < info.output_height) {
        uint32_t* const row = image->mBits + size_t{info.output_scanline} * info.output_width;
        jpeg_read_scanlines(&info, line, 1);
        const JSAMPLE* sample = line[0];
        for (JDIMENSION x = 0; x < info.output_width; ++x, sample += info.output_components)
            row[x] = grey ? OpaquePixel(sample[0], sample[0], sample[0]) : OpaquePixel(sample[0], sample[1], sample[2]);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool EncodeJpeg(FILE* file, const Image& image)
{
    jpeg_compress_struct info;
    JpegErrorManager error;
    info.err = jpeg_std_error(&error.mManager);
    error.mManager.error_exit = JpegErrorExit;
    if (setjmp(error.mJumpBuffer)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    info.image_width = static_cast<JDIMENSION>(image.mWidth);
    info.image_height = static_cast<JDIMENSION>(image.mHeight);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kWriteQuality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_stdio_dest(&info, file);
    jpeg_start_compress(&info, TRUE);

    const JSAMPARRAY line =
        (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.image_width * 3, 1);
    while (info.next_scanline < info.image_height) {
        const uint32_t* const row = image.mBits + size_t{info.next_scanline} * info.image_width;
        JSAMPLE* sample = line[0];
        for (JDIMENSION x = 0; x < info.image_width; ++x) {
            *sample++ = static_cast<JSAMPLE>(row[x] >> 16);
            *sample++ = static_cast<JSAMPLE>(row[x] >> 8);
            *sample++ = static_cast<JSAMPLE>(row[x]);
        }
        jpeg_write_scanlines(&info, line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

Image* GetJPEGImage(const std::string& fileName)
{
    const PakFilePtr file(Zest::PakFOpen(fileName.c_str(), "rb"));
    if (file == nullptr)
        return nullptr;
    std::unique_ptr<Image> image;
    if (!DecodeJpeg(file.get(), image))
        return nullptr;
    return image.release();
}

bool WriteJPEGImage(const std::string& fileName, const Image* image)
{
    if (image == nullptr || image->mBits == nullptr || image->mWidth <= 0 || image->mHeight <= 0)
        return false;
    FilePtr file(Zest::OpenSystemFile(fileName.c_str(), "wb"));
    if (file == nullptr || !EncodeJpeg(file.get(), *image))
        return false;
    return std::fclose(file.release()) == 0;
}

} // namespace ImageLib
