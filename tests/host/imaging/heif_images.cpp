#include "tests/host/imaging/heif_images.h"

#include <libheif/heif.h>

#include <cstring>
#include <stdexcept>

namespace imaging_test {

namespace {

void check(heif_error status)
{
    if (status.code != heif_error_Ok)
        throw std::runtime_error(status.message);
}

heif_error append(heif_context*, const void* data, size_t size, void* userdata)
{
    static_cast<QByteArray*>(userdata)->append(static_cast<const char*>(data), qsizetype(size));
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

} // namespace

QByteArray encodeHeif(const QImage& stored, bool avif, int orientation, const QByteArray& exif)
{
    const bool alpha = stored.hasAlphaChannel();
    const QImage rgb =
        stored.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* image = nullptr;
    heif_encoding_options* options = heif_encoding_options_alloc();
    QByteArray out;
    try {
        check(heif_context_get_encoder_for_format(
            context, avif ? heif_compression_AV1 : heif_compression_HEVC, &encoder));
        check(heif_encoder_set_lossy_quality(encoder, 90));
        check(heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB,
                                alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                &image));
        check(heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8));
        int stride = 0;
        uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        const int rowBytes = rgb.width() * (alpha ? 4 : 3);
        for (int y = 0; y < rgb.height(); ++y)
            std::memcpy(plane + qsizetype(y) * stride, rgb.constScanLine(y), size_t(rowBytes));
        options->image_orientation = heif_orientation(orientation);
        heif_image_handle* handle = nullptr;
        check(heif_context_encode_image(context, image, encoder, options, &handle));
        if (!exif.isEmpty())
            check(heif_context_add_exif_metadata(context, handle, exif.constData(),
                                                 int(exif.size())));
        heif_image_handle_release(handle);
        heif_writer writer{1, append};
        check(heif_context_write(context, &writer, &out));
    } catch (...) {
        heif_encoding_options_free(options);
        heif_image_release(image);
        heif_encoder_release(encoder);
        heif_context_free(context);
        throw;
    }
    heif_encoding_options_free(options);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return out;
}

} // namespace imaging_test
