// Where the program's requests go, and the service accounts it uses.
//
// The built-in values are the defaults. Each address can be overridden from
// the environment, which is how the tests point the program at a local
// stand-in server:
//   VORBEL_OCR_HOST        host[:port] of the recognition service (HTTPS)
//   VORBEL_TRANSLATE_HOST  host[:port] of the translation service (HTTPS)
//   VORBEL_UPDATE_PAGE     full address of the update page (also the feedback page)
//   VORBEL_COUNTER_PAGE    full address of the visit-counter page
#pragma once

#include <functional>
#include <string>

namespace vorbel {

struct OcrAccount {
    std::string client_id;
    std::string client_secret;
};

struct Endpoints {
    std::string ocr_host;
    std::string translate_host;
    std::string update_page;
    std::string counter_page;

    OcrAccount general_account;
    OcrAccount accurate_account;
    std::string translate_appid;
    std::string translate_key;

    // The built-in values.
    static Endpoints defaults();
    // The built-in values with the overrides that `lookup` finds (it returns
    // the value of an environment variable, empty when unset).
    static Endpoints with_overrides(const std::function<std::string(const char*)>& lookup);
    // with_overrides() over the process environment.
    static Endpoints from_environment();
};

}  // namespace vorbel
