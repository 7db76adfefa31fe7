#include "ctl/commands/adapterlist.h"

#include "ctl/args/adapterpick.h"
#include "ctl/ctltext.h"

#include <QCoreApplication>

Checked<QVector<Adapter>> adaptersFor(const DiscoveryOptions &options,
                                      const QVector<AdapterVerdict> &verdicts)
{
    const Checked<QVector<AdapterPick>> picks = pickAdapters(verdicts, options.adapters, options.allAdapters);
    if (!picks.ok())
        return Checked<QVector<Adapter>>::failed(picks.error);
    QVector<Adapter> adapters;
    for (const AdapterPick &pick : picks.value)
        adapters.append({pick.name, QHostAddress(pick.entry.address), QHostAddress(pick.entry.netmask),
                         QHostAddress(pick.entry.broadcast)});
    return {adapters, QString()};
}

QString noAdapterText(const QVector<AdapterVerdict> &verdicts)
{
    QString text = Ctl::tr("No adapter to search through.\n");
    for (const AdapterVerdict &verdict : verdicts)
        if (!verdict.adapter.loopBack)
            text += QStringLiteral("  %1: %2\n")
                        .arg(verdict.adapter.name,
                             QCoreApplication::translate(adapterReasonContext,
                                                         verdict.reason.toUtf8().constData()));
    text +=
        Ctl::tr("Connect the adapter the devices are on, or name one with --adapter; \"quillonctl doctor\" "
                "tells more.\n");
    return text;
}
