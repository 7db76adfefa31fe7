#pragma once

#include "support/lanpeerclient.h"
#include "support/noticewatcher.h"
#include "ui/mainwindow.h"

#include <QTest>

#include <memory>

// The tool's window with the lan's stand-in device started first (it hears the start-up
// probes), and every notice box recorded and closed at once.
struct WindowOnLan
{
    bool start()
    {
        peer = std::make_unique<LanPeer>();
        if (!peer->start())
            return false;
        w = std::make_unique<MainWindow>();
        w->show();
        notices = std::make_unique<NoticeWatcher>();
        return QTest::qWaitForWindowExposed(w.get());
    }
    void stop()
    {
        notices.reset();
        w.reset();
        peer.reset();
    }
    // Lists the device of a search reply and selects it, as a click on its row does.
    void listAndSelect(const QByteArray &reply)
    {
        w->newRecvData(reply, static_cast<unsigned long>(reply.size()));
        w->cur_row = 0;
        w->refreshFrame(0);
    }

    std::unique_ptr<LanPeer> peer;
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<NoticeWatcher> notices;
};
