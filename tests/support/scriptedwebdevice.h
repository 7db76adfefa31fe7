#pragma once

#include <httplib.h>

#include <QByteArray>
#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <map>
#include <thread>
#include <vector>

// A web command interface whose answers a test scripts per path; it records what arrives.
// Runs on its own thread, on an address of the lab's pc side.
class ScriptedWebDevice
{
public:
    struct Seen
    {
        std::string path;
        std::string body;
        std::string cookie;
        std::string contentType;
        std::string partName; // of a multipart form's first part
        std::string partFilename;
        std::string partContent;
    };
    struct Answer
    {
        int status = 200;
        std::string body;
        std::string setCookie;
        std::string location;
        int delayMs = 0;
    };

    explicit ScriptedWebDevice(const std::string &host) : host(host)
    {
        server.Post(R"(/command/(.*))", [this](const httplib::Request &request, httplib::Response &response) {
            Answer answer;
            {
                QMutexLocker locker(&lock);
                Seen s{request.path, request.body, request.get_header_value("Cookie"),
                       request.get_header_value("Content-Type"), {}, {}, {}};
                if (!request.files.empty()) {
                    const httplib::MultipartFormData &part = request.files.begin()->second;
                    s.partName = part.name;
                    s.partFilename = part.filename;
                    s.partContent = part.content;
                }
                seen.push_back(s);
                const auto found = answers.find(request.path);
                if (found != answers.end())
                    answer = found->second;
            }
            if (answer.delayMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(answer.delayMs));
            response.status = answer.status;
            if (!answer.setCookie.empty())
                response.set_header("Set-Cookie", answer.setCookie);
            if (!answer.location.empty())
                response.set_header("Location", answer.location);
            response.set_content(answer.body, "text/plain; charset=utf-8");
        });
        port = server.bind_to_any_port(host);
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~ScriptedWebDevice()
    {
        server.stop();
        thread.join();
    }

    void answer(const std::string &path, const Answer &a)
    {
        QMutexLocker locker(&lock);
        answers[path] = a;
    }
    std::vector<Seen> requests()
    {
        QMutexLocker locker(&lock);
        return seen;
    }
    QStringList paths()
    {
        QStringList list;
        for (const Seen &s : requests())
            list << QString::fromStdString(s.path);
        return list;
    }

    std::string host;
    int port = 0;

private:
    httplib::Server server;
    std::thread thread;
    QMutex lock;
    std::map<std::string, Answer> answers;
    std::vector<Seen> seen;
};

// A 200 answer with this body, and the cookie to set when one is given.
inline ScriptedWebDevice::Answer ok(const std::string &body = "OK", const std::string &cookie = {})
{
    ScriptedWebDevice::Answer a;
    a.body = body;
    a.setCookie = cookie;
    return a;
}
