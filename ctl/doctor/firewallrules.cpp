#include "ctl/doctor/firewallrules.h"

#include "ctl/ctltext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int kUdpNumber = 17;

// How one rule treats a device's reply.
struct Assessment
{
    bool applies = true;    // false: some test of the rule fails for the reply, or is unknown
    QStringList conditions; // tests that may or may not hold (source, interface)
    QString verdict;        // "accept", "drop", "reject", or another action
};

bool isDrop(const QString &verdict)
{
    return verdict == QLatin1String("drop") || verdict == QLatin1String("reject");
}

// What the rules of one input chain, in order, and its policy do to the reply.
QVector<Finding> judgeChain(const QString &chainName, const QString &policy,
                            const QVector<QPair<Assessment, QString>> &rules, quint16 port,
                            const QString &tool, const QString &deleteHint)
{
    QVector<Finding> findings;
    bool acceptedForSure = false;
    bool acceptedSometimes = false;
    for (const auto &rule : rules) {
        const Assessment &a = rule.first;
        if (!a.applies)
            continue;
        if (a.verdict == QLatin1String("accept")) {
            acceptedSometimes = true;
            if (a.conditions.isEmpty()) {
                acceptedForSure = true;
                break;
            }
            continue;
        }
        if (!isDrop(a.verdict))
            continue;
        Finding f;
        f.level = Finding::Level::Problem;
        f.topic = Ctl::tr("firewall");
        f.text = a.conditions.isEmpty() ? Ctl::tr("%1: chain %2 drops UDP datagrams to port %3: %4")
                                              .arg(tool, chainName, QString::number(port), rule.second)
                                        : Ctl::tr("%1: chain %2 drops UDP datagrams to port %3 when %4: %5")
                                              .arg(tool, chainName, QString::number(port),
                                                   a.conditions.join(Ctl::tr(" and ")), rule.second);
        f.advice = deleteHint.isEmpty()
                       ? QString()
                       : Ctl::tr("Remove the rule, or accept the replies before it: %1").arg(deleteHint);
        findings << f;
        if (a.conditions.isEmpty())
            return findings;
    }
    if (!acceptedForSure && isDrop(policy)) {
        Finding f;
        f.level = Finding::Level::Problem;
        f.topic = Ctl::tr("firewall");
        f.text =
            acceptedSometimes
                ? Ctl::tr("%1: chain %2 drops what it does not accept, and accepts UDP to port %3 only in "
                          "some cases")
                      .arg(tool, chainName, QString::number(port))
                : Ctl::tr("%1: chain %2 drops what it does not accept, and nothing accepts UDP to port %3")
                      .arg(tool, chainName, QString::number(port));
        f.advice = Ctl::tr("Accept the replies: %1").arg(deleteHint);
        findings << f;
    }
    return findings;
}

// ---- nftables JSON ----

bool jsonIncludes(const QJsonValue &right, const QJsonValue &wanted)
{
    if (right.isArray()) {
        for (const QJsonValue &item : right.toArray())
            if (jsonIncludes(item, wanted))
                return true;
        return false;
    }
    const QJsonObject object = right.toObject();
    if (object.contains(QLatin1String("set")))
        return jsonIncludes(object.value(QLatin1String("set")), wanted);
    if (object.contains(QLatin1String("range"))) {
        const QJsonArray range = object.value(QLatin1String("range")).toArray();
        return wanted.isDouble() && range.size() == 2 && range[0].toDouble() <= wanted.toDouble() &&
               wanted.toDouble() <= range[1].toDouble();
    }
    if (wanted.isDouble())
        return right.isDouble() && right.toDouble() == wanted.toDouble();
    return right.isString() && right.toString() == wanted.toString();
}

QString jsonText(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toDouble());
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

// One "match" statement: does the reply pass it for sure, maybe, or not?
void assessNftMatch(const QJsonObject &match, quint16 port, Assessment *a)
{
    const QString op = match.value(QLatin1String("op")).toString(QStringLiteral("=="));
    const bool negated = op == QLatin1String("!=");
    const QJsonObject left = match.value(QLatin1String("left")).toObject();
    const QJsonValue right = match.value(QLatin1String("right"));
    auto need = [&](bool included) {
        if (included == negated)
            a->applies = false;
    };
    const QJsonObject payload = left.value(QLatin1String("payload")).toObject();
    const QJsonObject meta = left.value(QLatin1String("meta")).toObject();
    const QJsonObject ct = left.value(QLatin1String("ct")).toObject();
    const QString protocol = payload.value(QLatin1String("protocol")).toString();
    const QString field = payload.value(QLatin1String("field")).toString();
    const QString key = meta.value(QLatin1String("key")).toString();
    if ((protocol == QLatin1String("udp") || protocol == QLatin1String("th")) &&
        field == QLatin1String("dport")) {
        need(jsonIncludes(right, port));
    } else if ((protocol == QLatin1String("ip") && field == QLatin1String("protocol")) ||
               key == QLatin1String("l4proto")) {
        need(jsonIncludes(right, QStringLiteral("udp")) || jsonIncludes(right, kUdpNumber));
    } else if (key == QLatin1String("nfproto")) {
        need(jsonIncludes(right, QStringLiteral("ipv4")));
    } else if (ct.value(QLatin1String("key")).toString() == QLatin1String("state")) {
        need(jsonIncludes(right, QStringLiteral("new")));
    } else if (protocol == QLatin1String("udp") && field == QLatin1String("sport")) {
        a->conditions << (negated ? Ctl::tr("the source port is not %1") : Ctl::tr("the source port is %1"))
                             .arg(jsonText(right));
    } else if (protocol == QLatin1String("ip") &&
               (field == QLatin1String("saddr") || field == QLatin1String("daddr"))) {
        a->conditions << QStringLiteral("%1 %2 %3").arg(field, op, jsonText(right));
    } else if (key == QLatin1String("iifname") || key == QLatin1String("iif")) {
        a->conditions << (negated ? Ctl::tr("it arrives on another interface than %1")
                                  : Ctl::tr("it arrives on %1"))
                             .arg(jsonText(right));
    } else {
        a->applies = false; // a test this check does not know
    }
}

Assessment assessNftRule(const QJsonArray &expressions, quint16 port)
{
    Assessment a;
    for (const QJsonValue &value : expressions) {
        const QJsonObject statement = value.toObject();
        const QString kind = statement.keys().value(0);
        if (kind == QLatin1String("match")) {
            assessNftMatch(statement.value(kind).toObject(), port, &a);
        } else if (kind == QLatin1String("accept") || kind == QLatin1String("drop") ||
                   kind == QLatin1String("reject") || kind == QLatin1String("jump") ||
                   kind == QLatin1String("goto") || kind == QLatin1String("return")) {
            a.verdict = kind;
        } else if (kind == QLatin1String("limit")) {
            a.conditions << Ctl::tr("a rate limit is exceeded");
        } else if (kind != QLatin1String("counter") && kind != QLatin1String("log")) {
            a.applies = false;
        }
    }
    return a;
}

// ---- iptables-save ----

// Splits a rule line into words, keeping double-quoted words (comments) whole.
QStringList words(const QString &line)
{
    static const QRegularExpression word(QStringLiteral("\"(?:[^\"\\\\]|\\\\.)*\"|\\S+"));
    QStringList out;
    auto it = word.globalMatch(line);
    while (it.hasNext())
        out << it.next().captured(0);
    return out;
}

bool portListIncludes(const QString &list, quint16 port)
{
    for (const QString &item : list.split(QLatin1Char(','))) {
        const QStringList range = item.split(QLatin1Char(':'));
        const uint low = range.value(0).toUInt();
        const uint high = range.size() > 1 ? range.value(1).toUInt() : low;
        if (low <= port && port <= high)
            return true;
    }
    return false;
}

Assessment assessIptablesRule(const QStringList &w, quint16 port)
{
    Assessment a;
    bool negated = false;
    for (int i = 2; i < w.size(); ++i) { // after "-A CHAIN"
        const QString &option = w[i];
        const QString value = w.value(i + 1);
        auto need = [&](bool included) {
            if (included == negated)
                a.applies = false;
        };
        if (option == QLatin1String("!")) {
            negated = true;
            continue;
        }
        if (option == QLatin1String("-p")) {
            need(value == QLatin1String("udp") || value == QLatin1String("all") ||
                 value.toInt() == kUdpNumber);
            ++i;
        } else if (option == QLatin1String("--dport") || option == QLatin1String("--dports") ||
                   option == QLatin1String("--destination-port")) {
            need(portListIncludes(value, port));
            ++i;
        } else if (option == QLatin1String("--ctstate") || option == QLatin1String("--state")) {
            need(value.split(QLatin1Char(',')).contains(QStringLiteral("NEW")));
            ++i;
        } else if (option == QLatin1String("--sport") || option == QLatin1String("--sports")) {
            a.conditions << (negated ? Ctl::tr("the source port is not %1")
                                     : Ctl::tr("the source port is %1"))
                                .arg(value);
            ++i;
        } else if (option == QLatin1String("-s") || option == QLatin1String("-d")) {
            a.conditions << QStringLiteral("%1 %2 %3")
                                .arg(option == QLatin1String("-s") ? QStringLiteral("saddr")
                                                                   : QStringLiteral("daddr"),
                                     negated ? QStringLiteral("!=") : QStringLiteral("=="), value);
            ++i;
        } else if (option == QLatin1String("-i")) {
            a.conditions << (negated ? Ctl::tr("it arrives on another interface than %1")
                                     : Ctl::tr("it arrives on %1"))
                                .arg(value);
            ++i;
        } else if (option == QLatin1String("-j") || option == QLatin1String("-g")) {
            a.verdict = value.toLower();
            ++i;
        } else if (option == QLatin1String("-m") || option == QLatin1String("--comment") ||
                   option == QLatin1String("--reject-with")) {
            ++i; // modules and annotations decide nothing
        } else {
            a.applies = false;
            ++i;
        }
        negated = false;
    }
    return a;
}

} // namespace

QVector<Finding> nftFindings(const QByteArray &json, quint16 port)
{
    const QJsonArray items =
        QJsonDocument::fromJson(json).object().value(QLatin1String("nftables")).toArray();
    struct Chain
    {
        QString family, table, name, policy;
        QVector<QPair<Assessment, QString>> rules;
    };
    QVector<Chain> chains;
    for (const QJsonValue &item : items) {
        const QJsonObject chain = item.toObject().value(QLatin1String("chain")).toObject();
        const QString family = chain.value(QLatin1String("family")).toString();
        if (chain.value(QLatin1String("hook")).toString() != QLatin1String("input") ||
            (family != QLatin1String("ip") && family != QLatin1String("inet")))
            continue;
        chains.append({family,
                       chain.value(QLatin1String("table")).toString(),
                       chain.value(QLatin1String("name")).toString(),
                       chain.value(QLatin1String("policy")).toString(),
                       {}});
    }
    for (const QJsonValue &item : items) {
        const QJsonObject rule = item.toObject().value(QLatin1String("rule")).toObject();
        for (Chain &chain : chains) {
            if (rule.value(QLatin1String("family")).toString() != chain.family ||
                rule.value(QLatin1String("table")).toString() != chain.table ||
                rule.value(QLatin1String("chain")).toString() != chain.name)
                continue;
            const QString handle = QString::number(rule.value(QLatin1String("handle")).toInt());
            chain.rules.append({assessNftRule(rule.value(QLatin1String("expr")).toArray(), port),
                                Ctl::tr("handle %1").arg(handle)});
        }
    }
    QVector<Finding> findings;
    for (const Chain &chain : chains) {
        const QString where = chain.family + QLatin1Char(' ') + chain.table + QLatin1Char(' ') + chain.name;
        findings << judgeChain(where, chain.policy, chain.rules, port, QStringLiteral("nftables"),
                               QStringLiteral("nft insert rule %1 udp dport %2 accept").arg(where).arg(port));
    }
    return findings;
}

QVector<Finding> iptablesFindings(const QString &saved, quint16 port, const QString &tool)
{
    QString table;
    QString policy;
    QVector<QPair<Assessment, QString>> rules;
    for (const QString &raw : saved.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('*'))) {
            table = line.mid(1);
            continue;
        }
        if (table != QLatin1String("filter"))
            continue;
        const QStringList w = words(line);
        if (w.value(0) == QLatin1String(":INPUT"))
            policy = w.value(1).toLower();
        else if (w.value(0) == QLatin1String("-A") && w.value(1) == QLatin1String("INPUT"))
            rules.append({assessIptablesRule(w, port), line});
    }
    return judgeChain(QStringLiteral("INPUT"), policy, rules, port, tool,
                      QStringLiteral("iptables -I INPUT -p udp --dport %1 -j ACCEPT").arg(port));
}
