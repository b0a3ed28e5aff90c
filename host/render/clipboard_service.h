#pragma once

#include "platform/clipboard.h"

#include <memory>

namespace host::render {

class HostClipboard;

// A host's clipboard offered as the platform's clipboard service, for a program that runs the
// host in its own process (the batch command, tests): what the suite reads there is what the
// host's Copy put there, a copy of shapes rendered only when one of its pictures is read, and
// what the suite puts there is what PasteSpecial takes.
std::unique_ptr<platform::Clipboard> clipboardService(std::shared_ptr<HostClipboard> clipboard);

} // namespace host::render
