#pragma once

#include <QtGlobal>

#include <sys/types.h>

// Who is at the other end of a local socket, as the kernel tells it.
namespace host::remote {

struct PeerIdentity
{
    bool known = false;
    uid_t uid = 0;
    pid_t pid = 0;
};

PeerIdentity peerIdentity(qintptr socketDescriptor);

// Only processes of the user a host runs for may drive it: a peer the kernel cannot name, or
// one of another user id, is refused.
bool peerAllowed(const PeerIdentity& peer, uid_t allowedUid);

} // namespace host::remote
