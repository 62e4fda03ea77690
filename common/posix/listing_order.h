// The order of a folder listing where the system gives none of its own: by the names' upper-case
// forms, then by the names themselves, so that a report is the same on every machine.
#pragma once

#include <string>
#include <vector>

#include "common/text_run.h"

namespace lyrics {

// names: file names as the system gives them, UTF-8 or any bytes (see DecodeUtf8Lenient). Returns
// them decoded, in listing order.
std::vector<std::wstring> InListingOrder(const TextRun<char>& names);

}  // namespace lyrics
