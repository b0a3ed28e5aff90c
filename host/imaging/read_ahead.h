#pragma once

#include "host/imaging/encoded_image.h"

#include <QStringList>

#include <optional>

namespace host::imaging {

// Picture files announced as coming next are read and checked (what loadPictureFile does) on
// the worker threads a few files ahead of their use, so that reading and decoding one file
// overlaps with placing the one before. Announcing a new list drops the old one.
//
// loadPictureFile takes a file's result from here when it was announced: the files announced
// before it are dropped as skipped, and a file changed on disk since it was read is read
// again. Nothing else changes: a refused file raises the same error when its turn comes.
// `owner` (the host that announces) is what dropAnnouncedPictureFiles is given.
void announcePictureFiles(const QStringList& paths, const void* owner = nullptr);

// Drops the files `owner` announced, if its list is still the current one: those not begun
// are not read; those being read finish unheeded (workerPool().waitForDone() waits for them).
void dropAnnouncedPictureFiles(const void* owner);

// The read-ahead result for `path`, waiting for it if it is being read; none when the file was
// not announced (or changed since). Raises what loading it raised.
std::optional<EncodedImage> takeAnnouncedPicture(const QString& path);

} // namespace host::imaging
