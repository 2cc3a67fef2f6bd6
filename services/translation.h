// The translation service client: translates the whole text of the result
// panel into Chinese and appends the translation to it.
#pragma once

#include <functional>

#include "services/result_panel.h"
#include "services/service_context.h"
#include "text/text_types.h"

namespace vorbel {

// Reads the panel's text once, sends it (as UTF-8, signed over the same
// bytes) to the translation service over HTTPS with automatic source
// language detection and Chinese as the target, and appends the first
// translation of the answer, its escapes decoded, without a line break.
// Appends nothing when the answer holds no translation or the request
// fails. Stops before sending anything when the panel is gone (read_text
// gives nothing). Blocks the calling worker until the answer is in. Runs
// on a worker thread only: reading the panel waits for the user-interface
// thread.
void translate_panel_text(const ServiceContext& context, ResultPanel& panel);

// Ten digits: a number from 10000 to 19999 followed by one from 10000 to
// 99999, drawn in that order from `random_between` (the system's random
// source when it is empty). Draws outside those ranges are clamped into
// them, so the salt keeps its shape whatever the source gives.
Text translation_salt(const std::function<int(int low, int high)>& random_between);

}  // namespace vorbel
