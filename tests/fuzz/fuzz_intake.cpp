// Arbitrary datagrams of any length through the window's reply intake, as the receiver hands
// them over: the encrypted lengths go through the frame cipher, the rest through the decoders
// and the trade bookkeeping. Runs in the lab: the window binds the discovery port.
#include "ui/mainwindow.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

constexpr int rowsBeforeRestart = 256;

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

MainWindow &window()
{
    static int argc = 3;
    static char name[] = "fuzz_intake", platform[] = "-platform", offscreen[] = "offscreen";
    static char *argv[] = {name, platform, offscreen, nullptr};
    static QApplication app(argc, argv);
    static MainWindow w;
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    qInstallMessageHandler(quiet);
    MainWindow &w = window();
    w.cur_row = size % 3 == 0 ? 9999 : 0;
    w.newRecvData(QByteArray(reinterpret_cast<const char *>(data), int(size)), static_cast<unsigned long>(size));
    if (w.devct > rowsBeforeRestart) {
        w.clearDeviceTable();
        w.devct = 0;
    }
    return 0;
}
