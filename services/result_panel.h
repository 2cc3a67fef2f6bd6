// The result panel (分组框2 with its edit box 编辑框1) as a recognition worker
// sees it. Calls are made on the worker's thread; an implementation carries
// them to the user-interface thread in the order they were made, and drops
// them once the panel they were meant for is gone (its window closed, or a
// new selection started).
#pragma once

#include <optional>

#include "text/text_types.h"

namespace vorbel {

class ResultPanel {
public:
    virtual ~ResultPanel() = default;
    // Shows the panel with its outer top-left corner at (left, top) in
    // window coordinates: the visibility first, then the left, then the top.
    virtual void show_at(int left, int top) = 0;
    // Adds `text` at the end of the edit box.
    virtual void append(const Text& text) = 0;
    // The edit box's whole text, after every earlier call of this panel has
    // taken effect; nothing when the panel is gone.
    virtual std::optional<Text> read_text() = 0;
};

}  // namespace vorbel
