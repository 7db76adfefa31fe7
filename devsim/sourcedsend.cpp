#include "devsim/sourcedsend.h"

#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

SendOutcome sendSourced(int socketDescriptor, const SourcedDatagram &datagram)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(datagram.port);
    to.sin_addr.s_addr = htonl(datagram.destination);

    iovec payload{};
    payload.iov_base = const_cast<char *>(datagram.data.constData());
    payload.iov_len = size_t(datagram.data.size());

    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr message{};
    message.msg_name = &to;
    message.msg_namelen = sizeof to;
    message.msg_iov = &payload;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr *header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = IPPROTO_IP;
    header->cmsg_type = IP_PKTINFO;
    header->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
    in_pktinfo info{};
    info.ipi_spec_dst.s_addr = htonl(datagram.source);
    std::memcpy(CMSG_DATA(header), &info, sizeof info);

    if (::sendmsg(socketDescriptor, &message, 0) >= 0)
        return SendOutcome::Sent;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOBUFS ? SendOutcome::TryLater
                                                                       : SendOutcome::Failed;
}
