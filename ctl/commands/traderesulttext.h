#pragma once

#include "engine/configtransaction.h"

#include <QString>

// "accepted", "refused", "timed out", for people.
QString tradeResultText(TradeResult result);
