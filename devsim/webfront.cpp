#include "devsim/webfront.h"

#include <httplib.h>

#include <QHostAddress>
#include <QRandomGenerator>

#include <chrono>
#include <optional>

namespace {

constexpr char kCommandPath[] = R"(/command/([A-Za-z_]+))";
constexpr char kTextType[] = "text/plain; charset=utf-8";
constexpr char kUploadPart[] = "upload";
constexpr char kAnyAddress[] = "0.0.0.0";
constexpr int kNotFound = 404;
constexpr size_t kWorkersPerPort = 4;
constexpr int kFound = 302;
constexpr char kMovedParam[] = "moved";

quint64 endpointKey(quint32 address, quint16 port)
{
    return (quint64(address) << 16) | port;
}

} // namespace

WebFront::WebFront() = default;

WebFront::~WebFront()
{
    for (auto &[port, listener] : listeners) {
        listener.server->stop();
        if (listener.thread.joinable())
            listener.thread.join();
    }
}

bool WebFront::add(quint32 address, quint16 port, std::unique_ptr<WebCommands> commands, Fault fault,
                   QString *error)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        devices[endpointKey(address, port)] = Device{std::move(commands), fault};
    }
    return listen(port, error);
}

bool WebFront::move(quint32 oldAddress, quint16 oldPort, quint32 address, quint16 port, QString *error)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto found = devices.find(endpointKey(oldAddress, oldPort));
        if (found == devices.end())
            return true;
        Device device = std::move(found->second);
        devices.erase(found);
        devices[endpointKey(address, port)] = std::move(device);
    }
    return listen(port, error);
}

bool WebFront::listen(quint16 port, QString *error)
{
    if (listeners.count(port))
        return true;
    Listener listener;
    listener.server = std::make_unique<httplib::Server>();
    listener.server->new_task_queue = [] { return new httplib::ThreadPool(kWorkersPerPort); };
    listener.server->Post(kCommandPath, [this, port](const httplib::Request &request,
                                                     httplib::Response &response) {
        const quint64 key =
            endpointKey(QHostAddress(QString::fromStdString(request.local_addr)).toIPv4Address(), port);
        std::optional<Fault> fault;
        {
            std::lock_guard<std::mutex> lock(mutex);
            const auto device = devices.find(key);
            if (device != devices.end())
                fault = device->second.fault;
        }
        if (!fault) {
            response.status = kNotFound;
            return;
        }
        if (*fault == Fault::Redirect && !request.has_param(kMovedParam)) {
            response.set_redirect("http://" + request.local_addr + ':' + std::to_string(port) + request.path +
                                      '?' + kMovedParam + "=1",
                                  kFound);
            return;
        }
        if (*fault == Fault::Late)
            std::this_thread::sleep_for(std::chrono::milliseconds(fault::kLateMs));
        const bool hasFile = request.is_multipart_form_data() && request.has_file(kUploadPart);
        const std::string file = hasFile ? request.get_file_value(kUploadPart).content : std::string();
        const QString command = QString::fromStdString(request.matches[1]);
        WebCommands::Answer answer;
        {
            std::lock_guard<std::mutex> lock(mutex);
            const auto device = devices.find(key);
            if (device == devices.end()) {
                response.status = kNotFound; // moved away while this one waited
                return;
            }
            answer =
                device->second.commands->handle(command, QByteArray::fromStdString(request.body),
                                                QByteArray::fromStdString(request.get_header_value("Cookie")),
                                                QByteArray::fromStdString(file), hasFile);
        }
        answer.text = fault::webAnswer(*fault, command, answer.text, *QRandomGenerator::global());
        if (!answer.setCookie.isEmpty())
            response.set_header("Set-Cookie", answer.setCookie.toStdString());
        response.set_content(answer.text.toStdString(), kTextType);
    });
    if (!listener.server->bind_to_port(kAnyAddress, port)) {
        *error = QStringLiteral("cannot serve http on port %1").arg(port);
        return false;
    }
    httplib::Server *server = listener.server.get();
    listener.thread = std::thread([server] { server->listen_after_bind(); });
    listeners.emplace(port, std::move(listener));
    return true;
}
