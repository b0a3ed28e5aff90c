#pragma once

#include <turbojpeg.h>

#include <memory>

namespace host::imaging {

// TurboJPEG handles, one of each kind per thread: creating one allocates the library's
// decoder state, which repeated renders need not pay for.
struct TurboJpegDeleter
{
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TurboJpegHandle = std::unique_ptr<void, TurboJpegDeleter>;

inline tjhandle decompressor()
{
    thread_local TurboJpegHandle handle(tjInitDecompress());
    return handle.get();
}

inline tjhandle transformer()
{
    thread_local TurboJpegHandle handle(tjInitTransform());
    return handle.get();
}

} // namespace host::imaging
