// How long the platform transports and page readers wait for the network.
//
// The token request runs on the user-interface thread, so an unreachable or
// silent server must not hold it for ever:
//   connect   time allowed to open the connection (TLS handshake included
//             where the platform counts it);
//   stall     time a send or a receive may go without any progress before
//             the request is given up. It bounds silence, not the length of
//             a transfer, so a large image upload on a slow line still gets
//             through.
// A request given up this way counts as failed: the answer is empty.
#pragma once

namespace vorbel {

struct NetTimeouts {
    int connect_ms = 5000;
    int stall_ms = 30000;
};

}  // namespace vorbel
