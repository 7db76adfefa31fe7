#include "devsim/webserver.h"

#include <httplib.h>

#include <QHostAddress>

namespace {
constexpr char kCommandPath[] = R"(/command/([A-Za-z_]+))";
constexpr char kTextType[] = "text/plain; charset=utf-8";
constexpr char kUploadPart[] = "upload";
}

WebServer::WebServer(const QString &user, const QString &password, const QString &ntpServer)
    : commands(user, password, ntpServer)
{
}

WebServer::~WebServer()
{
    stop();
}

bool WebServer::start(quint32 address, quint16 port, QString *error)
{
    stop();
    server = std::make_unique<httplib::Server>();
    server->Post(kCommandPath, [this](const httplib::Request &request, httplib::Response &response) {
        const bool hasFile = request.is_multipart_form_data() && request.has_file(kUploadPart);
        const std::string file = hasFile ? request.get_file_value(kUploadPart).content : std::string();
        WebCommands::Answer answer;
        {
            std::lock_guard<std::mutex> lock(mutex);
            answer = commands.handle(QString::fromStdString(request.matches[1]),
                                     QByteArray::fromStdString(request.body),
                                     QByteArray::fromStdString(request.get_header_value("Cookie")),
                                     QByteArray::fromStdString(file), hasFile);
        }
        if (!answer.setCookie.isEmpty())
            response.set_header("Set-Cookie", answer.setCookie.toStdString());
        response.set_content(answer.text.toStdString(), kTextType);
    });
    const std::string host = QHostAddress(address).toString().toStdString();
    if (!server->bind_to_port(host, port)) {
        *error = QStringLiteral("cannot serve http on %1:%2").arg(QString::fromStdString(host)).arg(port);
        server.reset();
        return false;
    }
    thread = std::thread([this] { server->listen_after_bind(); });
    return true;
}

void WebServer::stop()
{
    if (!server)
        return;
    server->stop();
    if (thread.joinable())
        thread.join();
    server.reset();
}
