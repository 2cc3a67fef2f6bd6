// What one recognition worker is handed when it starts. The image and the
// token are immutable snapshots: a later selection or a new opening of the
// capture window replaces the program's current values without touching
// what a running worker holds.
#pragma once

#include <memory>

#include "services/recognition_mode.h"
#include "services/result_panel.h"
#include "text/text_types.h"

namespace vorbel {

struct RecognitionJob {
    int mode = mode_none;                        // mode_normal or mode_accurate
    std::shared_ptr<const Bytes> image;          // cropped_image at the click
    std::shared_ptr<const Text> access_token;    // accurate token of this opening
    std::shared_ptr<ResultPanel> panel;
};

}  // namespace vorbel
