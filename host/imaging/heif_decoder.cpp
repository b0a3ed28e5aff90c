#include "host/imaging/heif_decoder.h"

#include "host/imaging/byte_io.h"
#include "host/imaging/image_limits.h"

#include <libheif/heif.h>

#include <memory>

namespace host::imaging {

namespace {

struct ContextFree
{
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease
{
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease
{
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree
{
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

// An opened file and its primary image. libheif reads the data in place: `bytes` must outlive
// it.
struct HeifFile
{
    std::unique_ptr<heif_context, ContextFree> context;
    std::unique_ptr<heif_image_handle, HandleRelease> primary;
    QString error;
};

HeifFile openHeif(QByteArrayView bytes)
{
    // The decoders register once, before the worker threads first race to use them; libheif
    // stays initialised for the life of the process.
    static const heif_error initialised = heif_init(nullptr);
    HeifFile file;
    if (initialised.code != heif_error_Ok) {
        file.error = QString::fromUtf8(initialised.message);
        return file;
    }
    file.context.reset(heif_context_alloc());
    if (!file.context) {
        file.error = QStringLiteral("out of memory");
        return file;
    }
    // Refused while the container is read, before anything is allocated for the pixels.
    heif_context_set_maximum_image_size_limit(file.context.get(), MaxSide);
    heif_error status = heif_context_read_from_memory_without_copy(file.context.get(), bytes.data(),
                                                                   size_t(bytes.size()), nullptr);
    heif_image_handle* handle = nullptr;
    if (status.code == heif_error_Ok)
        status = heif_context_get_primary_image_handle(file.context.get(), &handle);
    file.primary.reset(handle);
    if (status.code != heif_error_Ok || !handle) {
        file.error = QString::fromUtf8(status.message);
        file.primary.reset();
    }
    return file;
}

// libheif hands the EXIF item as stored: a 32-bit offset to the TIFF header, then the block
// (which some writers start with "Exif\0\0").
QByteArray exifOf(const heif_image_handle* handle)
{
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) != 1)
        return {};
    const size_t size = heif_image_handle_get_metadata_size(handle, id);
    if (size < 4 || size > (size_t(1) << 24))
        return {};
    QByteArray data(qsizetype(size), Qt::Uninitialized);
    if (heif_image_handle_get_metadata(handle, id, data.data()).code != heif_error_Ok)
        return {};
    const quint32 offset = bytes::be32(data, 0);
    if (offset > quint32(data.size() - 4))
        return {};
    QByteArray tiff = data.mid(4 + offset);
    if (tiff.startsWith(QByteArrayView("Exif\0\0", 6)))
        tiff.remove(0, 6);
    return tiff;
}

} // namespace

std::optional<HeifHeader> readHeifHeader(QByteArrayView bytes)
{
    const HeifFile file = openHeif(bytes);
    if (!file.primary)
        return std::nullopt;
    HeifHeader header;
    header.size = QSize(heif_image_handle_get_width(file.primary.get()),
                        heif_image_handle_get_height(file.primary.get()));
    header.alpha = heif_image_handle_has_alpha_channel(file.primary.get()) != 0;
    header.exif = exifOf(file.primary.get());
    return header;
}

QImage decodeHeif(QByteArrayView bytes, bool strict, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return QImage();
    };
    const HeifFile file = openHeif(bytes);
    if (!file.primary)
        return fail(file.error);
    heif_image_handle* handle = file.primary.get();
    if (!withinLimits(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle)))
        return fail(QStringLiteral("too large"));
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;

    std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1; // ten-bit photographs shown as eight-bit, like JPEG
    options->strict_decoding = strict ? 1 : 0;
    heif_image* decoded = nullptr;
    const heif_error status = heif_decode_image(
        handle, &decoded, heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    const std::unique_ptr<heif_image, ImageRelease> image(decoded);
    if (status.code != heif_error_Ok || !image)
        return fail(QString::fromUtf8(status.message));

    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t* plane =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!plane || !withinLimits(width, height) || stride < width * (alpha ? 4 : 3))
        return fail(QStringLiteral("no picture in the decoded data"));

    const QImage::Format layout = !alpha ? QImage::Format_RGB888
                                  : heif_image_handle_is_premultiplied_alpha(handle)
                                      ? QImage::Format_RGBA8888_Premultiplied
                                      : QImage::Format_RGBA8888;
    // A view of libheif's plane, converted into an image that owns its pixels.
    const QImage view(plane, width, height, stride, layout);
    QImage result = view.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (result.isNull())
        return fail(QStringLiteral("out of memory"));
    return result;
}

} // namespace host::imaging
