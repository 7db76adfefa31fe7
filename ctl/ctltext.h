#pragma once

#include <QCoreApplication>

// Translation context of quillonctl's messages outside its QObject classes: Ctl::tr("...").
class Ctl
{
    Q_DECLARE_TR_FUNCTIONS(Ctl)
};
