#pragma once

#include "ctl/commands/searchingcommand.h"
#include "ctl/doctor/finding.h"

// quillonctl doctor: why no device answers. The machine's own state first (adapters, the
// discovery port, firewall, routes, reverse-path filtering), then a probe on each adapter.
class DoctorCommand : public SearchingCommand
{
    Q_OBJECT
public:
    using SearchingCommand::SearchingCommand;

    QString name() const override { return QStringLiteral("doctor"); }
    QString summary() const override;
    void addOptions(QCommandLineParser &parser) override;
    QString take(const QCommandLineParser &parser) override;
    void start() override;

private:
    QVector<Finding> adapterFindings() const;
    Finding portCheck(bool *bound) const;
    QVector<Finding> firewallFindings() const;
    QVector<Finding> routeFindings() const;
    void onProbed();
    void show(const QVector<Finding> &findings) const;
};
