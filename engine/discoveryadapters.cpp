#include "engine/discoveryadapters.h"

#include "discovery/adapterchoice.h"
#include "engine/systemadapters.h"

QVector<Adapter> qualifyingAdapters()
{
    QVector<Adapter> adapters;
    const QVector<AdapterVerdict> verdicts = examineAdapters(systemAdapters());
    for (const AdapterVerdict &verdict : verdicts)
        if (verdict.qualifies)
            adapters << Adapter{verdict.adapter.name, QHostAddress(verdict.entry.address),
                                QHostAddress(verdict.entry.netmask), QHostAddress(verdict.entry.broadcast)};
    return adapters;
}
