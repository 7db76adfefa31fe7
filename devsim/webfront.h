#pragma once

#include "devsim/fault.h"
#include "devsim/webcommands.h"

#include <QString>

#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
}

// The web interfaces of every device with newer firmware: POST /command/<name> at each
// device's address and port. One HTTP server (and thread) per distinct port, bound to all
// addresses, hands each request to the device whose address it reached, so thousands of
// devices cost a few threads, not thousands.
class WebFront
{
public:
    WebFront();
    ~WebFront();
    WebFront(const WebFront &) = delete;
    WebFront &operator=(const WebFront &) = delete;

    // Binds before returning, so "ready" is printed only once every port takes requests.
    bool add(quint32 address, quint16 port, std::unique_ptr<WebCommands> commands, Fault fault,
             QString *error);
    // A restart moved the device: its interface, with its sessions and clock, goes along.
    bool move(quint32 oldAddress, quint16 oldPort, quint32 address, quint16 port, QString *error);

private:
    struct Listener
    {
        std::unique_ptr<httplib::Server> server;
        std::thread thread;
    };

    struct Device
    {
        std::unique_ptr<WebCommands> commands;
        Fault fault = Fault::None;
    };

    bool listen(quint16 port, QString *error);

    std::mutex mutex; // the devices map and every WebCommands call
    std::map<quint64, Device> devices;
    std::map<quint16, Listener> listeners;
};
