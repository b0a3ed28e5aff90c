#pragma once

#include "host/imaging/image_format.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <atomic>
#include <memory>
#include <mutex>

namespace host::imaging {

// A picture the host has promised but not encoded yet: a paste of a rendering the host can
// make again whenever its pixels are needed. Pasting a copy is then only bookkeeping, a picture
// pasted and deleted again (a re-paste that re-pastes it) never costs a render, and what stays
// on a sheet is encoded once, on a worker thread or when the workbook is saved.
//
// Shared by every copy of the EncodedImage that holds it; thread-safe.
class PendingPicture
{
public:
    PendingPicture(ImageFormat format, QSize pixelSize);
    virtual ~PendingPicture();
    PendingPicture(const PendingPicture&) = delete;
    PendingPicture& operator=(const PendingPicture&) = delete;

    ImageFormat format() const { return m_format; }
    QSize pixelSize() const { return m_pixelSize; }
    // A key no other picture has, for the decoded-picture cache and the package's media parts.
    const QByteArray& key() const { return m_key; }

    // The encoded picture: rendered at its pixel size and encoded in its format the first time
    // it is asked for (one caller renders, the others wait), then kept. Empty when the
    // rendering failed.
    QByteArray bytes() const;
    bool isMade() const { return m_made.load(std::memory_order_acquire); }

    // The pixels at `size` (the pixel size or a fraction of it), as they would decode from the
    // encoded picture: transparent parts white in a format without transparency. Rendered
    // directly while the picture is not made, except for a GIF (its palette changes what it
    // shows): from the encoded picture then.
    QImage pixels(QSize size) const;

    // Claims the picture for encoding in the background: true for the first claim only.
    bool claim() { return !m_claimed.exchange(true); }

protected:
    // The rendering at `size`, transparent where nothing is drawn. Not called once the picture
    // is made.
    virtual QImage render(QSize size) const = 0;
    // Called once the picture is made: what only rendering needed can go.
    virtual void dropSource() const {}

private:
    const ImageFormat m_format;
    const QSize m_pixelSize;
    const QByteArray m_key;
    mutable std::once_flag m_once;
    mutable QByteArray m_bytes;
    mutable std::atomic<bool> m_made{false};
    std::atomic<bool> m_claimed{false};
};

// Encodes pending pictures on the host's worker threads (every core); returns at once.
void makeInBackground(const std::shared_ptr<PendingPicture>& picture);
// Encodes every picture of the list that is not made yet, on every core, and returns when all
// are made (the ones already started in the background included).
void makeAll(const std::vector<std::shared_ptr<PendingPicture>>& pictures);

} // namespace host::imaging
