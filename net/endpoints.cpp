#include "net/endpoints.h"

#include <cstdlib>

namespace vorbel {

Endpoints Endpoints::defaults() {
    Endpoints e;
    e.ocr_host = "aip.baidubce.com";
    e.translate_host = "fanyi-api.baidu.com";
    e.update_page = "https://vorbel.net/article/update.html";
    e.counter_page = "http://count.vorbel.net/";
    e.general_account = {"Hq8sN2vLm5XcT9bRw3ZkF6yD", "pE4gW7uKa2MzQ9rJx5VdC8nLt3YhB6sF"};
    e.accurate_account = {"Rk3mZ8qTw2LpVx9dNc4HbJ7s", "aY6fKd2WsQ9mXr4TzB8nVe3LcG7hPu5J"};
    e.translate_appid = "73950264118830472";
    e.translate_key = "Jd7QmX2kRw9TzV4nLp8S";
    return e;
}

Endpoints Endpoints::with_overrides(const std::function<std::string(const char*)>& lookup) {
    Endpoints e = defaults();
    auto take = [&](const char* name, std::string& field) {
        std::string value = lookup(name);
        if (!value.empty()) field = value;
    };
    take("VORBEL_OCR_HOST", e.ocr_host);
    take("VORBEL_TRANSLATE_HOST", e.translate_host);
    take("VORBEL_UPDATE_PAGE", e.update_page);
    take("VORBEL_COUNTER_PAGE", e.counter_page);
    return e;
}

Endpoints Endpoints::from_environment() {
    return with_overrides([](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::string(value) : std::string();
    });
}

}  // namespace vorbel
