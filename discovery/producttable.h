#pragma once

#include "discovery/devicereply.h"

// Model name and category of a device from its product code (`oldFw`) and door count.
namespace producttable {

// The older family: keyed by the whole product code.
void classify201(deviceReply &record);
// The newer family: keyed by the first character of `fw`.
void classify407(deviceReply &record);

} // namespace producttable
