#include "host/remote/peer_identity.h"

#include <sys/socket.h>

namespace host::remote {

PeerIdentity peerIdentity(qintptr socketDescriptor)
{
    PeerIdentity peer;
    struct ucred credentials = {};
    socklen_t size = sizeof credentials;
    if (socketDescriptor >= 0 &&
        getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
        size == sizeof credentials) {
        peer.known = true;
        peer.uid = credentials.uid;
        peer.pid = credentials.pid;
    }
    return peer;
}

bool peerAllowed(const PeerIdentity& peer, uid_t allowedUid)
{
    return peer.known && peer.uid == allowedUid;
}

} // namespace host::remote
