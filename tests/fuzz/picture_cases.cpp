#include "tests/fuzz/fuzz_cases.h"

#include "host/automation/host_error.h"
#include "host/imaging/encoded_image.h"
#include "host/imaging/picture_decoder.h"

namespace fuzz_cases {

namespace {

// A header may claim up to the host's limit (100 megapixels); decoding that much per input
// would slow the search a thousandfold for one path the limit tests already cover.
constexpr qint64 kMaxFuzzPixels = 16'000'000;

bool small(const host::imaging::EncodedImage& image)
{
    return qint64(image.pixelSize.width()) * image.pixelSize.height() <= kMaxFuzzPixels;
}

} // namespace

Outcome decodePicture(const std::uint8_t* data, std::size_t size)
{
    initialise();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        if (!small(host::imaging::probePicture(bytes)))
            return Outcome::Refused;
        const host::imaging::EncodedImage image = host::imaging::loadPicture(bytes);
        (void)host::imaging::decodePicture(image, 1);
        (void)host::imaging::decodePicture(image, 8);
    } catch (const host::HostError&) {
        return Outcome::Refused;
    }
    return Outcome::Accepted;
}

} // namespace fuzz_cases
