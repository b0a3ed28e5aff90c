#pragma once

class QThreadPool;

namespace host::imaging {

// The host's worker threads for picture work (reading ahead, encoding pastes): one per core.
QThreadPool& workerPool();

} // namespace host::imaging
