// The recognition service client: the access token of an account and the
// two recognition workers, which show the recognised lines in the result
// panel and then have them translated.
#pragma once

#include "net/endpoints.h"
#include "net/transport.h"
#include "services/recognition_job.h"
#include "services/service_context.h"
#include "text/text_types.h"

namespace vorbel {

enum class OcrAccountKind { general, accurate };

// Asks the recognition service for an access token of the account (a POST
// with an empty body) and returns it unchanged. The empty text when the
// request fails or the answer does not hold the token directly followed by
// its session_key field. Blocks the calling thread.
Text fetch_ocr_token(HttpTransport& transport, const Endpoints& endpoints, OcrAccountKind account);

// Where the result panel goes on a screen of the given size: half the width
// less 285, and 130 above the bottom edge (truncated toward zero; negative
// on screens narrower than 570 pixels).
struct PanelPosition {
    int left = 0;
    int top = 0;
};
PanelPosition result_panel_position(int screen_width, int screen_height);

// The workers run on threads of their own, never on the user-interface
// thread (the translation step waits for it), and hold nothing but their
// job and the context.
//
// Worker of the normal mode: fetches a fresh token of the general account,
// sends the job's image to the general endpoint, and when lines come back
// shows the panel, appends the lines and "\r\n", then runs
// translate_panel_text on the same thread. When no line comes back (also on
// any failure) the panel is left untouched and nothing is translated. A job
// without a panel does nothing at all.
void recognize_general(const ServiceContext& context, const RecognitionJob& job);

// Worker of the accurate mode: as recognize_general, with the job's token
// (empty when the job has none) and the accurate endpoint.
void recognize_accurate(const ServiceContext& context, const RecognitionJob& job);

// Runs the worker of the job's mode; a job of any other mode does nothing.
void run_recognition(const ServiceContext& context, const RecognitionJob& job);

}  // namespace vorbel
