#include "tests/support/standin.h"

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

namespace vorbel {

namespace {

int port_named(const std::string& json, const std::string& name) {
    const std::regex pattern("\"" + name + "\"\\s*:\\s*([0-9]+)");
    std::smatch match;
    if (!std::regex_search(json, match, pattern)) return 0;
    return std::stoi(match[1].str());
}

}  // namespace

std::optional<StandinPorts> standin_ports() {
    const char* dir = std::getenv("VORBEL_STANDIN_DIR");
    if (!dir || !*dir) return std::nullopt;
    std::ifstream file(std::string(dir) + "/ports.json");
    if (!file) return std::nullopt;
    std::stringstream content;
    content << file.rdbuf();
    StandinPorts ports;
    ports.http = port_named(content.str(), "http");
    ports.https = port_named(content.str(), "https");
    ports.https_untrusted = port_named(content.str(), "https_untrusted");
    ports.https_wrong_name = port_named(content.str(), "https_wrong_name");
    if (ports.http == 0 || ports.https == 0 || ports.https_untrusted == 0 || ports.https_wrong_name == 0) {
        return std::nullopt;
    }
    return ports;
}

std::string standin_missing_reason() {
    const char* dir = std::getenv("VORBEL_STANDIN_DIR");
    if (!dir || !*dir) {
        return "VORBEL_STANDIN_DIR is not set: run these tests through ctest (test unit_net_standin), "
               "or start tests/server/standin_ctl.py and point the variable at its folder";
    }
    return std::string("no readable ports.json in ") + dir + ": is the stand-in server running?";
}

}  // namespace vorbel
