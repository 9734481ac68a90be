#include "JpegPicture.h"

#include "Exceptions.h"

#include <csetjmp>
#include <cstdio>

extern "C" {
#include <jpeglib.h>
}

namespace {

// libjpeg reports fatal errors through error_exit, which must not return; it jumps back out of
// the C library instead of throwing through frames that know nothing of C++ unwinding.
struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void JumpOnError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

struct DibTarget {
    HBITMAP bitmap = nullptr;
    unsigned char* bits = nullptr;
    std::size_t stride = 0;
};

DibTarget CreateDib(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as libjpeg delivers the rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    DibTarget target;
    void* bits = nullptr;
    target.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    target.bits = static_cast<unsigned char*>(bits);
    target.stride = (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
    return target;
}

// The decoding proper, free of objects with destructors, so that the jump out of it is sound.
// Gives the bitmap, or null with the reason in message.
HBITMAP DecodeInto(const unsigned char* data, std::size_t size, char* message, std::size_t messageSize)
{
    jpeg_decompress_struct info;
    JumpingErrorManager errors;
    HBITMAP volatile bitmap = nullptr;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpOnError;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        if (bitmap)
            DeleteObject(bitmap);
        std::snprintf(message, messageSize, "%s", errors.message);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR; // the byte order of a 24-bit DIB
    jpeg_start_decompress(&info);

    const DibTarget target = CreateDib(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    bitmap = target.bitmap;
    if (!bitmap) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, messageSize, "%s", "Out of memory for the picture");
        return nullptr;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = target.bits + target.stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return bitmap;
}

} // namespace

UniqueBitmap DecodeJpeg(const unsigned char* data, std::size_t size)
{
    char message[JMSG_LENGTH_MAX + 64] = "";
    UniqueBitmap bitmap(DecodeInto(data, size, message, sizeof message));
    if (!bitmap)
        throw Exception(message);
    return bitmap;
}

UniqueBitmap LoadJpegResource(HINSTANCE instance, const char* name)
{
    HRSRC resource = FindResourceA(instance, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        throw Exception("Missing picture resource " + std::string(name));
    return DecodeJpeg(static_cast<const unsigned char*>(data), SizeofResource(instance, resource));
}
