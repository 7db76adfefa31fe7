#include "ctl/commands/traderesulttext.h"

#include "ctl/ctltext.h"

QString tradeResultText(TradeResult result)
{
    switch (result) {
    case TradeResult::Accepted:
        return Ctl::tr("accepted");
    case TradeResult::Refused:
        return Ctl::tr("refused");
    case TradeResult::TimedOut:
        return Ctl::tr("timed out");
    case TradeResult::Waiting:
        break;
    }
    return Ctl::tr("waiting");
}
