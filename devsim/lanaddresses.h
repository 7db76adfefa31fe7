#pragma once

#include <QString>
#include <QVector>

// Puts device addresses on the lan interface as /32s, so replies can leave from them and
// unicast trades to them arrive here. One "ip" process for the whole fleet.
class LanAddresses
{
public:
    explicit LanAddresses(QString interfaceName) : interface(std::move(interfaceName)) {}

    // False, with the reason, when "ip" could not be run or did not finish cleanly.
    bool add(const QVector<quint32> &addresses, QString *error) const;

private:
    QString interface;
};
