// Reaching the local stand-in server (tests/server/standin.py) from tests.
//
// Under ctest the fixture "standin" starts the server and the tests that
// need it get VORBEL_STANDIN_DIR, the folder holding its ports.json.
#pragma once

#include <optional>
#include <string>

namespace vorbel {

struct StandinPorts {
    int http = 0;
    int https = 0;            // certificate from the test authority the system trusts
    int https_untrusted = 0;  // certificate from an authority nobody trusts
    int https_wrong_name = 0; // trusted authority, but issued for another name than localhost
};

// The server's ports, or nothing when VORBEL_STANDIN_DIR is not set or its
// ports.json cannot be read.
std::optional<StandinPorts> standin_ports();

// Why standin_ports() found nothing, for a skip or failure message.
std::string standin_missing_reason();

}  // namespace vorbel
