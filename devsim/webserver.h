#pragma once

#include "devsim/webcommands.h"

#include <QString>

#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
}

// One device's web interface over HTTP: POST /command/<name> at the device's address and port,
// served on a thread of its own; the commands themselves are WebCommands, one call at a time.
class WebServer
{
public:
    WebServer(const QString &user, const QString &password, const QString &ntpServer);
    ~WebServer();
    WebServer(const WebServer &) = delete;
    WebServer &operator=(const WebServer &) = delete;

    // Binds before returning, so a caller can report "ready" only once the port takes requests.
    bool start(quint32 address, quint16 port, QString *error);
    void stop();

private:
    std::mutex mutex;
    WebCommands commands;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
};
