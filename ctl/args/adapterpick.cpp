#include "ctl/args/adapterpick.h"

#include "ctl/args/addressargs.h"
#include "ctl/ctltext.h"

namespace {

// The entry searches would go through: the qualifying one, else the first non-zero one.
bool usableEntry(const AdapterVerdict &verdict, Ipv4Entry *entry)
{
    if (verdict.qualifies) {
        *entry = verdict.entry;
        return true;
    }
    if (!verdict.adapter.up || verdict.adapter.loopBack)
        return false;
    for (const Ipv4Entry &e : verdict.adapter.ipv4Entries) {
        if (e.address != 0) {
            *entry = e;
            return true;
        }
    }
    return false;
}

bool matches(const AdapterVerdict &verdict, const QString &wanted)
{
    if (verdict.adapter.name == wanted)
        return true;
    const Checked<quint32> address = parseIpv4(QString(), wanted);
    if (!address.ok())
        return false;
    for (const Ipv4Entry &e : verdict.adapter.ipv4Entries)
        if (e.address == address.value)
            return true;
    return false;
}

} // namespace

Checked<QVector<AdapterPick>> pickAdapters(const QVector<AdapterVerdict> &verdicts, const QStringList &wanted,
                                           bool all)
{
    QVector<AdapterPick> picks;
    if (wanted.isEmpty()) {
        for (const AdapterVerdict &verdict : verdicts) {
            Ipv4Entry entry;
            if ((verdict.qualifies || all) && usableEntry(verdict, &entry))
                picks.append({verdict.adapter.name, entry});
        }
        return {picks, QString()};
    }
    QStringList names;
    for (const AdapterVerdict &verdict : verdicts)
        names << verdict.adapter.name;
    for (const QString &name : wanted) {
        bool found = false;
        for (const AdapterVerdict &verdict : verdicts) {
            if (!matches(verdict, name))
                continue;
            found = true;
            Ipv4Entry entry;
            if (usableEntry(verdict, &entry))
                picks.append({verdict.adapter.name, entry});
        }
        if (!found)
            return Checked<QVector<AdapterPick>>::failed(
                Ctl::tr("--adapter: no adapter is named or has the address \"%1\" (adapters: %2)")
                    .arg(name, names.join(QStringLiteral(", "))));
    }
    return {picks, QString()};
}
